#pragma once

#include "core/service.h"
#include "core/servicestatusresult.h"
#include "platform/reachability.h"
#include "platform/wakeobserver.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <qcoro/qcorotask.h>

#include <chrono>
#include <functional>
#include <memory>

class Results;
class ServiceList;
class Settings;

// When and how the services are checked: a full refresh on a timer, after waking from
// sleep, when the network comes back and on request (never two at once, none while
// offline), with a bounded number of checks in flight; a single check for a service that
// was added or narrowed. Results go to Results, but only for services the list still holds
// as they were asked for. Main thread only.
class RefreshScheduler : public QObject
{
    Q_OBJECT

public:
    using Check = std::function<QCoro::Task<ServiceStatusResult>(Service)>;

    struct Setup {
        // How one service is checked.
        Check check;
        std::unique_ptr<Reachability> reachability;
        std::unique_ptr<WakeObserver> wake;
        // Run the timer and the first refresh right after start-up.
        bool autoRefresh = true;
    };

    // The interval is the one `settings` hold, followed as it changes there.
    RefreshScheduler(ServiceList &list, Results &results, Settings &settings, Setup setup, QObject *parent = nullptr);
    ~RefreshScheduler() override;

    bool isRefreshing() const { return m_isRefreshing; }
    bool isOffline() const { return m_isOffline; }
    std::chrono::milliseconds interval() const { return m_interval; }

    // One full refresh of every service; dropped while offline or already refreshing.
    QCoro::Task<> refresh();
    // Starts a refresh nobody waits for.
    void requestRefresh();
    // Checks one service and stores its result, without history or alerts.
    QCoro::Task<> refreshOne(Service service);
    // Checks services that came in with an edit of the file, one after the other.
    QCoro::Task<> checkAdded(QList<Service> added);

    // Checks of one refresh running at the same time. The whole catalog fits at once; with
    // thousands of services, each request started would cost in proportion to the timers of
    // all those in flight (Qt keeps them in one sorted list), and the refresh would grow
    // quadratically.
    static constexpr qsizetype checksInFlight = 128;

    // The result of one check; a check that throws reads as unknown ("The check failed."),
    // and a service whose provider this version lacks reads as unknown without a check.
    static QCoro::Task<ServiceStatusResult> checkedResult(Check check, Service service);

Q_SIGNALS:
    void isRefreshingChanged(bool refreshing);
    void isOfflineChanged(bool offline);
    void intervalChanged(std::chrono::milliseconds interval);

private:
    // Takes the interval stored now and starts the timer's period from now.
    void scheduleTimer();
    void setRefreshing(bool refreshing);
    void onReachability(bool online);
    QCoro::Task<> runRefresh();

    ServiceList &m_list;
    Results &m_results;
    Check m_check;
    std::unique_ptr<Reachability> m_reachability;
    std::unique_ptr<WakeObserver> m_wake;
    bool m_isRefreshing = false;
    bool m_isOffline = false;
    Settings &m_settings;
    std::chrono::milliseconds m_interval;
    bool m_timerWanted;
    QTimer m_timer;
};
