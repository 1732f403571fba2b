#include "monitor/statusmonitor.h"

#include "alerts/alertdecision.h"
#include "alerts/notificationprefs.h"
#include "alerts/notifier.h"
#include "monitor/statushistory.h"
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
    // A hand-written value of months would overflow the timer, one of a second would hammer
    // every vendor.
    const double bounded = std::clamp(seconds, double(StatusMonitor::minimumRefreshInterval.count()),
                                      double(StatusMonitor::maximumRefreshInterval.count()));
    return std::chrono::milliseconds(std::llround(bounded * 1000));
}

// Runs one check and appends its result, so that results line up in completion order.
QCoro::Task<> checkInto(StatusMonitor::Check check, Service service, std::vector<ServiceStatusResult> &completed)
{
    QCoro::Task<ServiceStatusResult> pending = StatusMonitor::checkedResult(std::move(check), std::move(service));
    ServiceStatusResult result = co_await pending;
    completed.push_back(std::move(result));
}

// Takes the next unchecked service of `services` until none is left.
QCoro::Task<> checkEach(StatusMonitor::Check check, const QList<Service> &services, qsizetype &next,
                        std::vector<ServiceStatusResult> &completed)
{
    while (next < services.size()) {
        QCoro::Task<> one = checkInto(check, services.at(next++), completed);
        co_await one;
    }
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

    const ServiceFileContents contents = setup.contents ? std::move(*setup.contents) : m_store.read();
    QList<Service> loaded = contents.services.isEmpty() ? ServiceStore::seedList() : contents.services;
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
    m_refreshInterval = storedRefreshInterval();

    if (contents.missing || reidentified)
        save(contents);
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
    QPointer<StatusMonitor> self(this);
    // Nobody may be waiting for this task: whatever goes wrong inside, the loop must not
    // stay marked as refreshing, or monitoring would stop for good.
    try {
        QCoro::Task<> running = runRefresh();
        co_await running;
    } catch (...) {
        qWarning("Glinter: a refresh failed unexpectedly");
    }
    if (self)
        setRefreshing(false);
}

QCoro::Task<> StatusMonitor::runRefresh()
{
    const QList<Service> snapshot = m_services;
    QPointer<StatusMonitor> self(this);

    // Every check starts now, all at once, up to checksInFlight of them; each appends its
    // result when it finishes and the next service takes its place.
    std::vector<ServiceStatusResult> completed;
    completed.reserve(std::size_t(snapshot.size()));
    qsizetype next = 0;
    std::vector<QCoro::Task<>> workers;
    const qsizetype workerCount = std::min(snapshot.size(), checksInFlight);
    workers.reserve(std::size_t(workerCount));
    for (qsizetype i = 0; i < workerCount; ++i)
        workers.push_back(checkEach(m_check, snapshot, next, completed));
    for (QCoro::Task<> &worker : workers)
        co_await worker;

    if (!self)
        co_return;
    QHash<QUuid, qsizetype> checked;
    checked.reserve(snapshot.size());
    for (qsizetype i = 0; i < snapshot.size(); ++i)
        checked.insert(snapshot.at(i).id, i);
    for (const ServiceStatusResult &result : completed) {
        const auto it = checked.constFind(result.serviceID);
        if (it != checked.constEnd())
            applyFullRefreshResult(snapshot.at(*it), result);
    }
    // One write of the history for the whole refresh.
    saveHistory();
    if (!completed.empty())
        Q_EMIT resultsChanged();
}

void StatusMonitor::applyFullRefreshResult(const Service &service, const ServiceStatusResult &result)
{
    if (!isCurrent(service))
        return;
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

void StatusMonitor::saveHistory()
{
    if (!m_history)
        return;
    std::optional<QString> error = m_history->save(QDateTime::currentDateTimeUtc());
    if (error)
        error = tr("history.json could not be saved: %1").arg(*error);
    if (error == m_historyError)
        return;
    m_historyError = std::move(error);
    publishConfigError();
}

void StatusMonitor::storeResult(const Service &service, const ServiceStatusResult &result)
{
    const std::optional<ServiceStatusResult> previous = this->result(service.id);
    m_results.insert(service.id, result);
    Q_EMIT resultApplied(service, previous, result);
}

QCoro::Task<ServiceStatusResult> StatusMonitor::checkedResult(Check check, Service service)
{
    const QUuid id = service.id;
    try {
        QCoro::Task<ServiceStatusResult> pending = check(std::move(service));
        ServiceStatusResult result = co_await pending;
        co_return result;
    } catch (...) {
        co_return ServiceStatusResult{id, Indicator::Unknown, tr("The check failed."), QDateTime::currentDateTimeUtc(),
                                      std::nullopt, false};
    }
}

QCoro::Task<> StatusMonitor::refreshOne(Service service)
{
    QPointer<StatusMonitor> self(this);
    try {
        QCoro::Task<ServiceStatusResult> pending = checkedResult(m_check, service);
        const ServiceStatusResult result = co_await pending;
        if (!self || !isCurrent(service))
            co_return;
        storeResult(service, result);
        saveHistory();
        Q_EMIT resultsChanged();
    } catch (...) {
        qWarning("Glinter: a check failed unexpectedly");
    }
}

const Service *StatusMonitor::liveService(const QUuid &serviceID) const
{
    const auto it = m_indexByID.constFind(serviceID);
    return it == m_indexByID.constEnd() ? nullptr : &m_services.at(*it);
}

bool StatusMonitor::isCurrent(const Service &service) const
{
    // A result belongs to the service as it was asked for: one removed, moved to another
    // address or reader, or given another selection since then takes nothing from it.
    const Service *live = liveService(service.id);
    return live && live->provider == service.provider && live->url == service.url
           && live->components == service.components;
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
