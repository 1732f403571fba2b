// The operations of StatusMonitor that change the list of services, and the merge of
// outside edits of services.json.
#include "monitor/statusmonitor.h"

#include "catalog/catalogentry.h"
#include "catalog/servicecatalog.h"
#include "core/atomicfile.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

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

void StatusMonitor::save()
{
    if (m_readOnly)
        return;
    save(m_store.read());
}

void StatusMonitor::save(const ServiceFileContents &onDisk)
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
        const WriteResult copy = onDisk.readError ? WriteResult{onDisk.readError} : AtomicFile::write(copyPath, onDisk.data);
        if (!copy.ok()) {
            m_saveError = tr("%1 was not saved: a copy of it could not be kept in %2 (%3).")
                              .arg(fileName(path), fileName(copyPath), *copy.error);
            m_saveFailedOver = FileState{onDisk.missing, onDisk.data};
            publishConfigError();
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
        publishConfigError();
        return;
    }
    m_saveError.reset();
    m_saveFailedOver.reset();
    if (dropped) {
        m_fileNote = dropped;
        m_fileNoteSticky = true;
    }
    publishConfigError();
}

void StatusMonitor::noteFileRead(const ServiceFileContents &contents, bool atStart)
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
        m_fileNote = tr("%1: %2. These records are not monitored.").arg(name, ServiceStore::problemsText(contents.problems));
        m_fileNoteSticky = false;
    } else if (!m_fileNoteSticky || contents.services != m_services) {
        // A clean file: what was wrong is mended. Only a note about what a save dropped
        // outlives the save's own echo (the file then equals the list), until the file
        // is edited again.
        m_fileNote.reset();
        m_fileNoteSticky = false;
    }
}

void StatusMonitor::publishConfigError()
{
    QStringList parts;
    if (m_saveError)
        parts.append(*m_saveError);
    if (m_fileNote)
        parts.append(*m_fileNote);
    if (m_historyError)
        parts.append(*m_historyError);
    std::optional<QString> error;
    if (!parts.isEmpty())
        error = parts.join(u' ');
    if (m_configError == error)
        return;
    m_configError = std::move(error);
    Q_EMIT configErrorChanged();
}

void StatusMonitor::setServices(QList<Service> services)
{
    m_services = std::move(services);
    m_indexByID.clear();
    m_indexByID.reserve(m_services.size());
    for (qsizetype i = 0; i < m_services.size(); ++i)
        m_indexByID.insert(m_services.at(i).id, i);
    Q_EMIT servicesChanged();
}

void StatusMonitor::dropState(const QUuid &serviceID)
{
    m_results.remove(serviceID);
    m_lastKnown.remove(serviceID);
}

void StatusMonitor::add(const Service &service)
{
    QList<Service> services = m_services;
    services.append(service);
    setServices(std::move(services));
    save();
    refreshOne(service);
}

void StatusMonitor::remove(const QSet<qsizetype> &offsets)
{
    QList<Service> kept;
    bool removedAny = false;
    for (qsizetype i = 0; i < m_services.size(); ++i) {
        if (offsets.contains(i)) {
            dropState(m_services.at(i).id);
            removedAny = true;
        } else {
            kept.append(m_services.at(i));
        }
    }
    if (!removedAny)
        return;
    setServices(std::move(kept));
    Q_EMIT resultsChanged();
    save();
}

void StatusMonitor::remove(const Service &service)
{
    const auto it = m_indexByID.constFind(service.id);
    if (it != m_indexByID.constEnd())
        remove(QSet<qsizetype>{*it});
}

void StatusMonitor::move(qsizetype from, qsizetype to)
{
    if (from < 0 || from >= m_services.size() || to < 0 || to >= m_services.size() || from == to)
        return;
    QList<Service> services = m_services;
    services.move(from, to);
    setServices(std::move(services));
    save();
}

void StatusMonitor::setComponents(const std::optional<QStringList> &components, const Service &service)
{
    const auto it = m_indexByID.constFind(service.id);
    if (it == m_indexByID.constEnd())
        return;
    QList<Service> services = m_services;
    services[*it].components = components && !components->isEmpty() ? components : std::nullopt;
    const Service updated = services.at(*it);
    m_lastKnown.remove(updated.id);
    setServices(std::move(services));
    save();
    refreshOne(updated);
}

std::optional<Service> StatusMonitor::service(const CatalogEntry &entry) const
{
    for (const Service &service : m_services) {
        if (entry.matches(service))
            return service;
    }
    return std::nullopt;
}

bool StatusMonitor::isMonitored(const CatalogEntry &entry) const
{
    return service(entry).has_value();
}

void StatusMonitor::setMonitored(const CatalogEntry &entry, bool on)
{
    const std::optional<Service> existing = service(entry);
    if (!on) {
        if (existing)
            remove(*existing);
        return;
    }
    if (!existing)
        add(Service{QUuid::createUuid(), entry.name, entry.url, entry.provider, std::nullopt});
}

QList<Service> StatusMonitor::customServices() const
{
    static const QSet<QString> catalogIDs = [] {
        QSet<QString> ids;
        for (const CatalogEntry &entry : ServiceCatalog::all())
            ids.insert(entry.id());
        return ids;
    }();
    QList<Service> custom;
    for (const Service &service : m_services) {
        if (!catalogIDs.contains(catalogKey(service)))
            custom.append(service);
    }
    return custom;
}

void StatusMonitor::reloadFromDisk()
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
        publishConfigError();
        return;
    }

    // An empty array brings the seed list back.
    const QList<Service> loaded = contents.services.isEmpty() ? ServiceStore::seedList() : contents.services;
    if (loaded == m_services) {
        publishConfigError();
        return;
    }

    // The first monitored service for each provider and address, for records written
    // without an identifier; looked up once per record rather than scanned.
    using Address = QPair<int, QString>;
    const auto addressOf = [](const Service &service) {
        return Address{int(service.provider), service.urlText().toLower()};
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
        if (!liveService(entry.id) && !contents.writtenIDs.contains(entry.id)) {
            const auto byAddress = idByAddress.constFind(addressOf(entry));
            if (byAddress != idByAddress.constEnd())
                entry.id = *byAddress;
        }
        if (used.contains(entry.id))
            entry.id = QUuid::createUuid();
        used.insert(entry.id);
        merged.append(std::move(entry));
    }

    bool dropped = false;
    for (const Service &service : std::as_const(m_services)) {
        if (!used.contains(service.id)) {
            dropState(service.id);
            dropped = true;
        }
    }
    QList<Service> added;
    for (const Service &service : std::as_const(merged)) {
        if (!liveService(service.id))
            added.append(service);
    }

    // Entries that only received their identity (written by hand without "id") change
    // nothing anyone sees; the save below records the identity in the file.
    if (merged != m_services)
        setServices(std::move(merged));
    if (dropped)
        Q_EMIT resultsChanged();
    save(contents);
    if (!added.isEmpty())
        checkAdded(std::move(added));
}

QCoro::Task<> StatusMonitor::checkAdded(QList<Service> added)
{
    QPointer<StatusMonitor> self(this);
    // Nobody awaits this task: nothing may escape it.
    try {
        for (const Service &service : added) {
            QCoro::Task<ServiceStatusResult> pending = checkedResult(m_check, service);
            const ServiceStatusResult result = co_await pending;
            if (!self)
                co_return;
            if (isCurrent(service)) {
                storeResult(service, result);
                Q_EMIT resultsChanged();
            }
        }
    } catch (...) {
        qWarning("Glinter: checking an added service failed unexpectedly");
    }
}
