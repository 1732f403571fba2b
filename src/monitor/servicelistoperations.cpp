// The operations of StatusMonitor that change the list of services, and the merge of
// outside edits of services.json.
#include "monitor/statusmonitor.h"

#include "catalog/catalogentry.h"
#include "catalog/servicecatalog.h"

#include <QFile>
#include <QSet>

namespace {

QString brokenCopyPath(const QString &filePath)
{
    return filePath + QStringLiteral(".broken");
}

} // namespace

void StatusMonitor::save()
{
    if (m_readOnly)
        return;
    // A file that failed to parse is the user's unfinished edit: keep a copy before it is
    // replaced, so that nothing typed by hand is lost.
    if (m_fileBroken) {
        const QString copy = brokenCopyPath(m_store.filePath());
        QFile::remove(copy);
        QFile::copy(m_store.filePath(), copy);
        m_fileBroken = false;
    }
    if (m_store.save(m_services))
        setConfigError(std::nullopt);
}

void StatusMonitor::setConfigError(std::optional<QString> error)
{
    if (m_configError == error)
        return;
    m_configError = std::move(error);
    Q_EMIT configErrorChanged();
}

void StatusMonitor::setServices(QList<Service> services)
{
    m_services = std::move(services);
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
    for (qsizetype i = 0; i < m_services.size(); ++i) {
        if (m_services.at(i).id == service.id) {
            remove(QSet<qsizetype>{i});
            return;
        }
    }
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
    for (qsizetype i = 0; i < m_services.size(); ++i) {
        if (m_services.at(i).id != service.id)
            continue;
        QList<Service> services = m_services;
        services[i].components = components && !components->isEmpty() ? components : std::nullopt;
        const Service updated = services.at(i);
        m_lastKnown.remove(updated.id);
        setServices(std::move(services));
        save();
        refreshOne(updated);
        return;
    }
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

    // A file that cannot be read or parsed is most likely being edited: keep watching what
    // is monitored and leave the file alone until a good version appears.
    if (contents.unreadable || contents.error) {
        m_fileBroken = contents.error.has_value();
        setConfigError(contents.error ? contents.error
                                      : std::optional<QString>(tr("%1 cannot be read").arg(m_store.filePath())));
        return;
    }
    m_fileBroken = false;
    setConfigError(std::nullopt);

    // An empty array brings the seed list back.
    const QList<Service> loaded = contents.services.isEmpty() ? ServiceStore::seedList() : contents.services;
    if (loaded == m_services)
        return;

    QList<Service> merged;
    merged.reserve(loaded.size());
    QSet<QUuid> used;
    for (Service entry : loaded) {
        auto inherited = std::find_if(m_services.cbegin(), m_services.cend(),
                                      [&](const Service &current) { return current.id == entry.id; });
        if (inherited == m_services.cend()) {
            const QString url = entry.urlText().toLower();
            inherited = std::find_if(m_services.cbegin(), m_services.cend(), [&](const Service &current) {
                return current.provider == entry.provider && current.urlText().toLower() == url;
            });
        }
        if (inherited != m_services.cend())
            entry.id = inherited->id;
        if (used.contains(entry.id))
            entry.id = QUuid::createUuid();
        used.insert(entry.id);
        merged.append(std::move(entry));
    }

    QSet<QUuid> old;
    for (const Service &service : std::as_const(m_services))
        old.insert(service.id);
    bool dropped = false;
    for (const QUuid &id : std::as_const(old)) {
        if (!used.contains(id)) {
            dropState(id);
            dropped = true;
        }
    }
    QList<Service> added;
    for (const Service &service : std::as_const(merged)) {
        if (!old.contains(service.id))
            added.append(service);
    }

    // Entries that only received their identity (written by hand without "id") change
    // nothing anyone sees; the save below records the identity in the file.
    if (merged != m_services)
        setServices(std::move(merged));
    if (dropped)
        Q_EMIT resultsChanged();
    save();
    if (!added.isEmpty())
        checkAdded(std::move(added));
}

QCoro::Task<> StatusMonitor::checkAdded(QList<Service> added)
{
    QPointer<StatusMonitor> self(this);
    for (const Service &service : added) {
        QCoro::Task<ServiceStatusResult> pending = m_check(service);
        const ServiceStatusResult result = co_await pending;
        if (!self)
            co_return;
        if (isCurrent(service)) {
            storeResult(service, result);
            Q_EMIT resultsChanged();
        }
    }
}
