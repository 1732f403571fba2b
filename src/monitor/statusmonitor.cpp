#include "monitor/statusmonitor.h"

#include "alerts/alertdecision.h"
#include "alerts/notificationprefs.h"
#include "alerts/notifier.h"
#include "alerts/statushistory.h"
#include "core/filewatcher.h"
#include "core/preferences.h"
#include "platform/reachability.h"
#include "platform/wakeobserver.h"
#include "providers/providerregistry.h"

#include <QCoreApplication>

#include <cmath>
#include <vector>

using namespace std::chrono_literals;

namespace {

const QString kRefreshIntervalKey = QStringLiteral("refreshInterval");

std::chrono::milliseconds storedRefreshInterval()
{
    const double seconds = Preferences::doubleValue(kRefreshIntervalKey, 0);
    if (!(seconds > 0))
        return StatusMonitor::defaultRefreshInterval;
    return std::max(1ms, std::chrono::milliseconds(std::llround(std::min(seconds, 1e9) * 1000)));
}

// Runs one check and appends its result, so that results line up in completion order.
QCoro::Task<> checkInto(StatusMonitor::Check check, Service service, std::vector<ServiceStatusResult> &completed)
{
    QCoro::Task<ServiceStatusResult> pending = check(std::move(service));
    ServiceStatusResult result = co_await pending;
    completed.push_back(std::move(result));
}

} // namespace

StatusMonitor::StatusMonitor(Setup setup, QObject *parent)
    : QObject(parent)
    , m_store(std::move(setup.store))
    , m_history(setup.history)
    , m_notifier(setup.notifier)
    , m_reachability(std::move(setup.reachability))
    , m_wake(std::move(setup.wake))
    , m_readOnly(setup.readOnly)
    , m_check(std::move(setup.check))
{
    if (!m_check) {
        m_check = [delay = setup.retryDelay](Service service) { return fetchWithRetry(std::move(service), delay); };
    }

    const ServiceFileContents contents = m_store.read();
    m_services = contents.services.isEmpty() ? ServiceStore::seedList() : contents.services;
    noteFileRead(contents, true);
    m_refreshInterval = storedRefreshInterval();

    if (contents.missing)
        save();
    publishConfigError();

    if (setup.watchFile) {
        QPointer<StatusMonitor> self(this);
        m_watcher = std::make_unique<FileWatcher>(
            m_store.filePath(),
            [self] {
                if (self)
                    self->reloadFromDisk();
            },
            nullptr, setup.watchDebounce);
    }

    if (m_notifier && NotificationPrefs::enabled())
        m_notifier->requestAuthorization();

    if (m_reachability) {
        m_isOffline = !m_reachability->isOnline();
        connect(m_reachability.get(), &Reachability::updated, this, &StatusMonitor::onReachability);
    }
    if (m_wake)
        connect(m_wake.get(), &WakeObserver::woke, this, &StatusMonitor::requestRefresh);

    // A coarse timer lets the system batch wake-ups; a few percent of the period is
    // precise enough.
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &StatusMonitor::requestRefresh);
    if (setup.autoRefresh) {
        scheduleTimer();
        QTimer::singleShot(0, this, &StatusMonitor::requestRefresh);
    }
}

StatusMonitor::~StatusMonitor() = default;

std::optional<ServiceStatusResult> StatusMonitor::result(const QUuid &serviceID) const
{
    const auto it = m_results.constFind(serviceID);
    if (it == m_results.constEnd())
        return std::nullopt;
    return *it;
}

std::optional<Indicator> StatusMonitor::lastKnownIndicator(const QUuid &serviceID) const
{
    const auto it = m_lastKnown.constFind(serviceID);
    if (it == m_lastKnown.constEnd())
        return std::nullopt;
    return *it;
}

void StatusMonitor::setRefreshInterval(std::chrono::milliseconds interval)
{
    m_refreshInterval = interval;
    Preferences::setValue(kRefreshIntervalKey, double(interval.count()) / 1000.0);
    scheduleTimer();
    Q_EMIT refreshIntervalChanged(interval);
}

void StatusMonitor::scheduleTimer()
{
    m_timer.start(m_refreshInterval);
}

void StatusMonitor::setRefreshing(bool refreshing)
{
    if (m_isRefreshing == refreshing)
        return;
    m_isRefreshing = refreshing;
    Q_EMIT isRefreshingChanged(refreshing);
}

void StatusMonitor::onReachability(bool online)
{
    const bool wasOffline = m_isOffline;
    m_isOffline = !online;
    if (wasOffline != m_isOffline)
        Q_EMIT isOfflineChanged(m_isOffline);
    if (wasOffline && online)
        requestRefresh();
}

void StatusMonitor::requestRefresh()
{
    // The task finishes on its own; nothing awaits it.
    refresh();
}

QCoro::Task<> StatusMonitor::refresh()
{
    if (m_isOffline || m_isRefreshing)
        co_return;
    setRefreshing(true);
    const QList<Service> snapshot = m_services;
    QPointer<StatusMonitor> self(this);

    // Every check starts now, all at once; each appends its result when it finishes.
    std::vector<ServiceStatusResult> completed;
    completed.reserve(std::size_t(snapshot.size()));
    std::vector<QCoro::Task<>> checks;
    checks.reserve(std::size_t(snapshot.size()));
    for (const Service &service : snapshot)
        checks.push_back(checkInto(m_check, service, completed));
    for (QCoro::Task<> &check : checks)
        co_await check;

    if (!self)
        co_return;
    for (const ServiceStatusResult &result : completed)
        applyFullRefreshResult(snapshot, result);
    if (!completed.empty())
        Q_EMIT resultsChanged();
    setRefreshing(false);
}

void StatusMonitor::applyFullRefreshResult(const QList<Service> &snapshot, const ServiceStatusResult &result)
{
    const auto it = std::find_if(snapshot.cbegin(), snapshot.cend(),
                                 [&](const Service &service) { return service.id == result.serviceID; });
    if (it == snapshot.cend() || !isCurrent(*it))
        return;
    const Service &service = *it;
    const std::optional<Indicator> old = lastKnownIndicator(service.id);
    storeResult(service, result);
    if (result.indicator == Indicator::Unknown)
        return;
    if (m_history)
        m_history->append(service.id, result.indicator, result.lastChecked);
    if (old && m_notifier)
        notifyIfChanged(service, *old, result, *m_notifier);
    m_lastKnown.insert(service.id, result.indicator);
}

void StatusMonitor::storeResult(const Service &service, const ServiceStatusResult &result)
{
    const std::optional<ServiceStatusResult> previous = this->result(service.id);
    m_results.insert(service.id, result);
    Q_EMIT resultApplied(service, previous, result);
}

QCoro::Task<> StatusMonitor::refreshOne(Service service)
{
    QPointer<StatusMonitor> self(this);
    QCoro::Task<ServiceStatusResult> pending = m_check(service);
    const ServiceStatusResult result = co_await pending;
    if (!self || !isCurrent(service))
        co_return;
    storeResult(service, result);
    Q_EMIT resultsChanged();
}

bool StatusMonitor::isCurrent(const Service &service) const
{
    const auto it = std::find_if(m_services.cbegin(), m_services.cend(),
                                 [&](const Service &live) { return live.id == service.id; });
    const std::optional<QStringList> live = it == m_services.cend() ? std::nullopt : it->components;
    return live == service.components;
}

Indicator StatusMonitor::aggregate() const
{
    Indicator worst = Indicator::Unknown;
    for (const Service &service : m_services) {
        const auto it = m_results.constFind(service.id);
        if (it != m_results.constEnd() && it->indicator != Indicator::Unknown)
            worst = std::max(worst, it->indicator);
    }
    return worst;
}

QString StatusMonitor::summary() const
{
    if (m_isOffline)
        return tr("No connection");
    switch (aggregate()) {
    case Indicator::None:
        return tr("All Systems Operational");
    case Indicator::Minor:
        return tr("Some Systems Degraded");
    case Indicator::Major:
        return tr("Partial Service Outage");
    case Indicator::Critical:
        return tr("Major Service Outage");
    case Indicator::Unknown:
        break;
    }
    return tr("Status Unavailable");
}

std::optional<QDateTime> StatusMonitor::lastUpdated() const
{
    std::optional<QDateTime> latest;
    for (const ServiceStatusResult &result : m_results) {
        if (!latest || result.lastChecked > *latest)
            latest = result.lastChecked;
    }
    return latest;
}

bool StatusMonitor::monitorsAWS() const
{
    return std::any_of(m_services.cbegin(), m_services.cend(),
                       [](const Service &service) { return service.provider == ProviderKind::Aws; });
}

QList<Indicator> StatusMonitor::history(const Service &service) const
{
    return m_history ? m_history->indicators(service.id) : QList<Indicator>();
}
