#include "monitor/refreshscheduler.h"

#include "core/settings.h"
#include "monitor/results.h"
#include "monitor/servicelist.h"
#include "providers/providertable.h"

#include <QPointer>

#include <algorithm>
#include <vector>

namespace {

// Runs one check and appends its result, so that results line up in completion order.
QCoro::Task<> checkInto(RefreshScheduler::Check check, Service service, std::vector<ServiceStatusResult> &completed)
{
    QCoro::Task<ServiceStatusResult> pending = RefreshScheduler::checkedResult(std::move(check), std::move(service));
    ServiceStatusResult result = co_await pending;
    completed.push_back(std::move(result));
}

// Takes the next unchecked service of `services` until none is left, or until the scheduler
// is gone: a check may lean on what its owner holds (the user's settings), and one started
// after that would read freed memory.
QCoro::Task<> checkEach(QPointer<RefreshScheduler> owner, RefreshScheduler::Check check, const QList<Service> &services,
                        qsizetype &next, std::vector<ServiceStatusResult> &completed)
{
    while (owner && next < services.size()) {
        QCoro::Task<> one = checkInto(check, services.at(next++), completed);
        co_await one;
    }
}

} // namespace

RefreshScheduler::RefreshScheduler(ServiceList &list, Results &results, Settings &settings, Setup setup,
                                   QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_results(results)
    , m_check(std::move(setup.check))
    , m_reachability(std::move(setup.reachability))
    , m_wake(std::move(setup.wake))
    , m_settings(settings)
    , m_interval(settings.refreshInterval())
    , m_timerWanted(setup.autoRefresh)
{
    connect(&m_settings, &Settings::refreshIntervalChanged, this, [this] {
        scheduleTimer();
        Q_EMIT intervalChanged(m_interval);
    });
    if (m_reachability) {
        m_isOffline = !m_reachability->isOnline();
        connect(m_reachability.get(), &Reachability::updated, this, &RefreshScheduler::onReachability);
    }
    if (m_wake)
        connect(m_wake.get(), &WakeObserver::woke, this, &RefreshScheduler::requestRefresh);

    // A coarse timer lets the system batch wake-ups; a few percent of the period is
    // precise enough.
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RefreshScheduler::requestRefresh);
    if (setup.autoRefresh) {
        scheduleTimer();
        QTimer::singleShot(0, this, &RefreshScheduler::requestRefresh);
    }
}

RefreshScheduler::~RefreshScheduler() = default;

void RefreshScheduler::scheduleTimer()
{
    m_interval = m_settings.refreshInterval();
    if (m_timerWanted)
        m_timer.start(m_interval);
}

void RefreshScheduler::setRefreshing(bool refreshing)
{
    if (m_isRefreshing == refreshing)
        return;
    m_isRefreshing = refreshing;
    Q_EMIT isRefreshingChanged(refreshing);
}

void RefreshScheduler::onReachability(bool online)
{
    const bool wasOffline = m_isOffline;
    m_isOffline = !online;
    if (wasOffline != m_isOffline)
        Q_EMIT isOfflineChanged(m_isOffline);
    if (wasOffline && online)
        requestRefresh();
}

void RefreshScheduler::requestRefresh()
{
    // The task finishes on its own; nothing awaits it.
    refresh();
}

QCoro::Task<> RefreshScheduler::refresh()
{
    if (m_isOffline || m_isRefreshing)
        co_return;
    setRefreshing(true);
    QPointer<RefreshScheduler> self(this);
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

QCoro::Task<> RefreshScheduler::runRefresh()
{
    const QList<Service> snapshot = m_list.services();
    QPointer<RefreshScheduler> self(this);

    // Checks that wait for one answer after another start first: started behind the whole
    // first wave they would end a full wait after everything else.
    // Ranked by index, not by moving whole services around: a stable order that costs little
    // with many thousands of them.
    std::vector<std::pair<int, qsizetype>> ranked;
    ranked.reserve(std::size_t(snapshot.size()));
    for (qsizetype i = 0; i < snapshot.size(); ++i) {
        const Service &service = snapshot.at(i);
        ranked.emplace_back(service.provider ? -providerInfo(*service.provider).requestsInARow : 0, i);
    }
    if (!std::is_sorted(ranked.begin(), ranked.end()))
        std::sort(ranked.begin(), ranked.end());
    QList<Service> order;
    order.reserve(snapshot.size());
    for (const auto &[chain, index] : ranked)
        order.append(snapshot.at(index));

    // Every check starts now, all at once, up to checksInFlight of them; each appends its
    // result when it finishes and the next service takes its place.
    std::vector<ServiceStatusResult> completed;
    completed.reserve(std::size_t(snapshot.size()));
    qsizetype next = 0;
    std::vector<QCoro::Task<>> workers;
    const qsizetype workerCount = std::min(snapshot.size(), checksInFlight);
    workers.reserve(std::size_t(workerCount));
    for (qsizetype i = 0; i < workerCount; ++i)
        workers.push_back(checkEach(self, m_check, order, next, completed));
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
        if (it != checked.constEnd() && m_list.isCurrent(snapshot.at(*it)))
            m_results.record(snapshot.at(*it), result);
    }
    // At most one write of the history for the whole refresh, and none while its interval runs.
    m_results.saveHistory();
    if (!completed.empty())
        m_results.publish();
}

QCoro::Task<ServiceStatusResult> RefreshScheduler::checkedResult(Check check, Service service)
{
    const QUuid id = service.id;
    // A provider this version lacks is not guessed at: no request, no retry, and a state
    // that says why.
    if (const std::optional<QString> reason = service.uncheckedReason())
        co_return ServiceStatusResult{id,   Indicator::Unknown, *reason, QDateTime::currentDateTimeUtc(), std::nullopt,
                                      false};
    try {
        QCoro::Task<ServiceStatusResult> pending = check(std::move(service));
        ServiceStatusResult result = co_await pending;
        co_return result;
    } catch (...) {
        co_return ServiceStatusResult{
            id, Indicator::Unknown, tr("The check failed."), QDateTime::currentDateTimeUtc(), std::nullopt, false};
    }
}

QCoro::Task<> RefreshScheduler::refreshOne(Service service)
{
    QPointer<RefreshScheduler> self(this);
    try {
        QCoro::Task<ServiceStatusResult> pending = checkedResult(m_check, service);
        const ServiceStatusResult result = co_await pending;
        if (!self || !m_list.isCurrent(service))
            co_return;
        m_results.store(service, result);
        m_results.saveHistory();
        m_results.publish();
    } catch (...) {
        qWarning("Glinter: a check failed unexpectedly");
    }
}

QCoro::Task<> RefreshScheduler::checkAdded(QList<Service> added)
{
    QPointer<RefreshScheduler> self(this);
    // Nobody awaits this task: nothing may escape it.
    try {
        for (const Service &service : added) {
            QCoro::Task<ServiceStatusResult> pending = checkedResult(m_check, service);
            const ServiceStatusResult result = co_await pending;
            if (!self)
                co_return;
            if (m_list.isCurrent(service)) {
                m_results.store(service, result);
                m_results.publish();
            }
        }
    } catch (...) {
        qWarning("Glinter: checking an added service failed unexpectedly");
    }
}
