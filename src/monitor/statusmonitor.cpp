#include "monitor/statusmonitor.h"

#include "alerts/notifier.h"
#include "core/settings.h"
#include "providers/fetchwithretry.h"

namespace {

// An unreachable feed is read once more after this long.
constexpr std::chrono::milliseconds retryDelay{1500};

ServiceList::Setup listSetup(StatusMonitor::Setup &setup)
{
    ServiceList::Setup list(std::move(setup.store));
    list.contents = std::move(setup.contents);
    list.watchFile = setup.watchFile;
    list.readOnly = setup.readOnly;
    return list;
}

RefreshScheduler::Setup schedulerSetup(StatusMonitor::Setup &setup, const ProviderContext &providers)
{
    RefreshScheduler::Setup scheduler;
    scheduler.check = std::move(setup.check);
    if (!scheduler.check) {
        // The scheduler goes before the context; a provider is made, and reads the context, at
        // the start of its check.
        scheduler.check = [&providers](Service service) {
            return fetchWithRetry(std::move(service), retryDelay, providers);
        };
    }
    scheduler.reachability = std::move(setup.reachability);
    scheduler.wake = std::move(setup.wake);
    scheduler.autoRefresh = setup.autoRefresh;
    return scheduler;
}

} // namespace

StatusMonitor::StatusMonitor(Setup setup, QObject *parent)
    : QObject(parent)
    , m_ownSettings(setup.settings ? nullptr : std::make_unique<Settings>())
    , m_settings(setup.settings ? setup.settings : m_ownSettings.get())
    , m_list(std::make_unique<ServiceList>(listSetup(setup)))
    , m_results(std::make_unique<Results>(setup.history, setup.uptime, setup.notifier))
    , m_providers(std::make_unique<ProviderContext>(m_settings, setup.providerMemory))
{
    m_results->setHistoryWriteInterval(setup.historyWriteInterval);
    m_configError = m_list->fileError();
    // Services removed while the program was not running leave the record; a list that
    // could not be read says nothing about them.
    if (setup.uptime && !m_configError) {
        QSet<QUuid> ids;
        for (const Service &service : m_list->services())
            ids.insert(service.id);
        setup.uptime->retain(ids);
    }
    if (Notifier *notifier = setup.notifier) {
        // The platform may want permission before the first notification: asked at start
        // when notifications are on, and again whenever the user switches them on.
        if (m_settings->notificationsEnabled())
            notifier->requestAuthorization();
        connect(m_settings, &Settings::notificationsEnabledChanged, this, [notifier](bool enabled) {
            if (enabled)
                notifier->requestAuthorization();
        });
    }
    m_scheduler = std::make_unique<RefreshScheduler>(*m_list, *m_results, *m_settings,
                                                     schedulerSetup(setup, *m_providers));

    connect(m_list.get(), &ServiceList::changed, this, &StatusMonitor::servicesChanged);
    connect(m_list.get(), &ServiceList::removed, m_results.get(), &Results::forget);
    connect(m_list.get(), &ServiceList::added, this, [this](const QList<Service> &added, ServiceList::AddedBy by) {
        if (by == ServiceList::AddedBy::File) {
            m_scheduler->checkAdded(added);
            return;
        }
        for (const Service &service : added)
            m_scheduler->refreshOne(service);
    });
    connect(m_list.get(), &ServiceList::reselected, this, [this](const Service &service) {
        m_results->forgetLastKnown(service.id);
        m_scheduler->refreshOne(service);
    });
    connect(m_list.get(), &ServiceList::fileErrorChanged, this, &StatusMonitor::publishConfigError);
    connect(m_results.get(), &Results::historyErrorChanged, this, &StatusMonitor::publishConfigError);
    connect(m_results.get(), &Results::changed, this, &StatusMonitor::resultsChanged);
    connect(m_results.get(), &Results::applied, this, &StatusMonitor::resultApplied);
    connect(m_scheduler.get(), &RefreshScheduler::isRefreshingChanged, this, &StatusMonitor::isRefreshingChanged);
    connect(m_scheduler.get(), &RefreshScheduler::isOfflineChanged, this, &StatusMonitor::isOfflineChanged);
    connect(m_scheduler.get(), &RefreshScheduler::intervalChanged, this, &StatusMonitor::refreshIntervalChanged);
}

StatusMonitor::~StatusMonitor() = default;

void StatusMonitor::setRefreshInterval(std::chrono::milliseconds interval)
{
    m_settings->setRefreshInterval(interval);
}

UptimeRecord::Series StatusMonitor::uptime(const Service &service) const
{
    const UptimeRecord *record = m_results->uptime();
    return record ? record->series(service.id) : UptimeRecord::Series();
}

std::optional<double> StatusMonitor::operationalShare(const QUuid &serviceID, std::chrono::seconds window) const
{
    const UptimeRecord *record = m_results->uptime();
    return record ? record->share(serviceID, window) : std::nullopt;
}

std::optional<Indicator> StatusMonitor::lastKnownIndicator(const QUuid &serviceID) const
{
    return m_results->lastKnownIndicator(serviceID);
}

void StatusMonitor::publishConfigError()
{
    QStringList parts;
    if (const std::optional<QString> file = m_list->fileError())
        parts.append(*file);
    if (const std::optional<QString> history = m_results->historyError())
        parts.append(*history);
    std::optional<QString> error;
    if (!parts.isEmpty())
        error = parts.join(u' ');
    if (m_configError == error)
        return;
    m_configError = std::move(error);
    Q_EMIT configErrorChanged();
}
