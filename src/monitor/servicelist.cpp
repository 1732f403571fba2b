#include "monitor/servicelist.h"

#include "core/atomicfile.h"
#include "core/filewatcher.h"

#include <QFileInfo>
#include <QPointer>

namespace {

QString brokenCopyPath(const QString &filePath)
{
    return filePath + QStringLiteral(".broken");
}

QString fileName(const QString &filePath)
{
    return QFileInfo(filePath).fileName();
}

} // namespace

ServiceList::ServiceList(Setup setup, QObject *parent)
    : QObject(parent)
    , m_store(std::move(setup.store))
    , m_readOnly(setup.readOnly)
{
    const ServiceFileContents contents = setup.contents ? std::move(*setup.contents) : m_store.read();
    QList<Service> loaded = ServiceStore::servicesOf(contents);
    // Two records written with the same "id" are two services: the later one gets an
    // identity of its own (written back below), as a merge of the file would give it.
    QSet<QUuid> seen;
    bool reidentified = false;
    for (Service &service : loaded) {
        if (seen.contains(service.id)) {
            service.id = QUuid::createUuid();
            reidentified = true;
        }
        seen.insert(service.id);
    }
    setServices(std::move(loaded));
    noteFileRead(contents, true);
    if (contents.missing || reidentified)
        save(contents);
    publishFileError();

    if (setup.watchFile) {
        QPointer<ServiceList> self(this);
        m_watcher = std::make_unique<FileWatcher>(m_store.filePath(), [self] {
            if (self)
                self->reloadFromDisk();
        });
    }
}

ServiceList::~ServiceList() = default;

const Service *ServiceList::find(const QUuid &serviceID) const
{
    const auto it = m_indexByID.constFind(serviceID);
    return it == m_indexByID.constEnd() ? nullptr : &m_services.at(*it);
}

bool ServiceList::isCurrent(const Service &service) const
{
    // A result belongs to the service as it was asked for: one removed, moved to another
    // address or provider, or given another selection since then takes nothing from it.
    const Service *live = find(service.id);
    return live && live->provider == service.provider && live->url == service.url
           && live->components == service.components;
}

void ServiceList::setServices(QList<Service> services)
{
    m_services = std::move(services);
    m_indexByID.clear();
    m_indexByID.reserve(m_services.size());
    for (qsizetype i = 0; i < m_services.size(); ++i)
        m_indexByID.insert(m_services.at(i).id, i);
    Q_EMIT changed();
}

void ServiceList::add(const QList<Service> &services)
{
    if (services.isEmpty())
        return;
    setServices(m_services + services);
    save();
    Q_EMIT added(services, AddedBy::User);
}

void ServiceList::remove(const QSet<QUuid> &serviceIDs)
{
    QList<Service> kept;
    QList<QUuid> removedIDs;
    for (const Service &service : std::as_const(m_services)) {
        if (serviceIDs.contains(service.id))
            removedIDs.append(service.id);
        else
            kept.append(service);
    }
    if (removedIDs.isEmpty())
        return;
    Q_EMIT removed(removedIDs);
    setServices(std::move(kept));
    save();
}

void ServiceList::move(qsizetype from, qsizetype to)
{
    if (from < 0 || from >= m_services.size() || to < 0 || to >= m_services.size() || from == to)
        return;
    QList<Service> services = m_services;
    services.move(from, to);
    setServices(std::move(services));
    save();
}

void ServiceList::setComponents(const std::optional<QStringList> &components, const QUuid &serviceID)
{
    const auto it = m_indexByID.constFind(serviceID);
    if (it == m_indexByID.constEnd())
        return;
    QList<Service> services = m_services;
    services[*it].components = components && !components->isEmpty() ? components : std::nullopt;
    const Service updated = services.at(*it);
    setServices(std::move(services));
    save();
    Q_EMIT reselected(updated);
}

void ServiceList::save()
{
    if (m_readOnly)
        return;
    save(m_store.read());
}

void ServiceList::save(const ServiceFileContents &onDisk)
{
    if (m_readOnly)
        return;
    const QString path = m_store.filePath();
    const QString copyPath = brokenCopyPath(path);

    // Whatever the file holds that the list does not (a syntax error typed by hand, a
    // record that cannot be read, a duplicate) is the user's work: keep a copy of the file
    // before it is replaced, or do not replace it. Looking at the file now, rather than
    // at what the last merge saw, also covers an edit the watcher has not reported yet.
    std::optional<QString> dropped;
    if (!onDisk.missing && (onDisk.readError || onDisk.savingLosesSomething())) {
        const WriteResult copy = onDisk.readError ? WriteResult{onDisk.readError}
                                                  : AtomicFile::write(copyPath, onDisk.data);
        if (!copy.ok()) {
            m_saveError = tr("%1 was not saved: a copy of it could not be kept in %2 (%3).")
                              .arg(fileName(path), fileName(copyPath), *copy.error);
            m_saveFailedOver = FileState{onDisk.missing, onDisk.data};
            publishFileError();
            return;
        }
        dropped = onDisk.error
                      ? tr("%1 was not usable (%2) and has been replaced by the monitored list; the file as it was "
                           "is in %3.")
                            .arg(fileName(path), *onDisk.error, fileName(copyPath))
                      : tr("%1: %2. These records were dropped from the file; the file as it was is in %3.")
                            .arg(fileName(path), ServiceStore::problemsText(onDisk.problems), fileName(copyPath));
    }

    const WriteResult written = m_store.save(m_services);
    if (!written.ok()) {
        m_saveError = tr("%1 could not be saved: %2.").arg(fileName(path), *written.error);
        m_saveFailedOver = FileState{onDisk.missing, onDisk.data};
        publishFileError();
        return;
    }
    m_saveError.reset();
    m_saveFailedOver.reset();
    if (dropped) {
        m_fileNote = dropped;
        m_fileNoteSticky = true;
    }
    publishFileError();
}

void ServiceList::noteFileRead(const ServiceFileContents &contents, bool atStart)
{
    const QString name = fileName(m_store.filePath());
    const QString kept = atStart ? tr("The default services are monitored.") : tr("The monitored list is kept.");
    if (contents.readError && !contents.missing) {
        m_fileNote = tr("%1 cannot be read: %2. %3").arg(name, *contents.readError, kept);
        m_fileNoteSticky = false;
    } else if (contents.error) {
        m_fileNote = tr("%1 is not usable: %2. %3").arg(name, *contents.error, kept);
        m_fileNoteSticky = false;
    } else if (!contents.problems.isEmpty()) {
        m_fileNote =
            tr("%1: %2. These records are not monitored.").arg(name, ServiceStore::problemsText(contents.problems));
        m_fileNoteSticky = false;
    } else if (!m_fileNoteSticky || contents.services != m_services) {
        // A clean file: what was wrong is mended. Only a note about what a save dropped
        // outlives the save's own echo (the file then equals the list), until the file
        // is edited again.
        m_fileNote.reset();
        m_fileNoteSticky = false;
    }
}

void ServiceList::publishFileError()
{
    QStringList parts;
    if (m_saveError)
        parts.append(*m_saveError);
    if (m_fileNote)
        parts.append(*m_fileNote);
    std::optional<QString> error;
    if (!parts.isEmpty())
        error = parts.join(u' ');
    if (m_fileError == error)
        return;
    m_fileError = std::move(error);
    Q_EMIT fileErrorChanged();
}

void ServiceList::reloadFromDisk()
{
    const ServiceFileContents contents = m_store.read();
    if (m_saveFailedOver && (!contents.readError || contents.missing)
        && *m_saveFailedOver == FileState{contents.missing, contents.data}) {
        return;
    }

    // Deleted while running: write the monitored list back, or the next start would
    // silently fall back to the seed list.
    if (contents.missing) {
        noteFileRead(contents, false);
        save(contents);
        return;
    }
    noteFileRead(contents, false);
    // A file that cannot be read or parsed is most likely being edited: keep watching what
    // is monitored and leave the file alone until a good version appears.
    if (contents.readError || contents.error) {
        publishFileError();
        return;
    }

    // An emptied file empties the list: the seed list is only for a start without a file.
    const QList<Service> &loaded = contents.services;
    if (loaded == m_services) {
        publishFileError();
        return;
    }

    // The first monitored service for each provider and address, for records written
    // without an identifier; looked up once per record rather than scanned.
    using Address = QPair<QString, QString>;
    const auto addressOf = [](const Service &service) {
        return Address{service.providerName(), service.urlText().toLower()};
    };
    QHash<Address, QUuid> idByAddress;
    idByAddress.reserve(m_services.size());
    // Filled from the back, so the first of equal addresses is the one kept.
    for (auto it = m_services.crbegin(); it != m_services.crend(); ++it)
        idByAddress.insert(addressOf(*it), it->id);

    QList<Service> merged;
    merged.reserve(loaded.size());
    QSet<QUuid> used;
    for (Service entry : loaded) {
        // Only a record written without an identifier takes over one by provider and
        // address: an "id" in the file is the user's and always wins (over a seed service
        // monitored while the file was broken, for one).
        if (!find(entry.id) && !contents.writtenIDs.contains(entry.id)) {
            const auto byAddress = idByAddress.constFind(addressOf(entry));
            if (byAddress != idByAddress.constEnd())
                entry.id = *byAddress;
        }
        if (used.contains(entry.id))
            entry.id = QUuid::createUuid();
        used.insert(entry.id);
        merged.append(std::move(entry));
    }

    QList<QUuid> droppedIDs;
    for (const Service &service : std::as_const(m_services)) {
        if (!used.contains(service.id))
            droppedIDs.append(service.id);
    }
    QList<Service> newcomers;
    for (const Service &service : std::as_const(merged)) {
        if (!find(service.id))
            newcomers.append(service);
    }

    if (!droppedIDs.isEmpty())
        Q_EMIT removed(droppedIDs);
    // Entries that only received their identity (written by hand without "id") change
    // nothing anyone sees; the save below records the identity in the file.
    if (merged != m_services)
        setServices(std::move(merged));
    save(contents);
    if (!newcomers.isEmpty())
        Q_EMIT added(newcomers, AddedBy::File);
}
