#pragma once

#include "core/indicator.h"
#include "core/service.h"
#include "core/servicestatusresult.h"
#include "core/servicestore.h"
#include "platform/reachability.h"
#include "platform/wakeobserver.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include <qcoro/qcorotask.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class FileWatcher;
class Notifier;
class StatusHistory;
struct CatalogEntry;

// The one long-lived object every view holds: the monitored services, the latest result
// of each, and the loop that checks them on a timer, after waking from sleep, when the
// network comes back and on request. It records history and hands real changes of a
// service's state to the alert decision. Main thread only.
class StatusMonitor : public QObject
{
    Q_OBJECT

public:
    using Check = std::function<QCoro::Task<ServiceStatusResult>(Service)>;

    // What the monitor is built on. Everything but the store may be left out: a monitor
    // without history, notifier, reachability or wake observer simply does without them.
    struct Setup {
        explicit Setup(ServiceStore storeToUse)
            : store(std::move(storeToUse))
        {
        }

        ServiceStore store;
        // The services file as the caller has just read it, so that it is not read again.
        std::optional<ServiceFileContents> contents;
        StatusHistory *history = nullptr;
        Notifier *notifier = nullptr;
        std::unique_ptr<Reachability> reachability;
        std::unique_ptr<WakeObserver> wake;
        // Watch services.json and merge outside edits.
        bool watchFile = true;
        // Never write services.json (a one-shot check).
        bool readOnly = false;
        // Run the timer and the first refresh right after start-up.
        bool autoRefresh = true;
        std::chrono::milliseconds retryDelay{1500};
        std::chrono::milliseconds watchDebounce{300};
        // How one service is checked; by default the registry's reader with one retry.
        Check check;
    };

    explicit StatusMonitor(Setup setup, QObject *parent = nullptr);
    ~StatusMonitor() override;

    // Observed state.
    const QList<Service> &services() const { return m_services; }
    const QHash<QUuid, ServiceStatusResult> &results() const { return m_results; }
    std::optional<ServiceStatusResult> result(const QUuid &serviceID) const;
    bool isRefreshing() const { return m_isRefreshing; }
    bool isOffline() const { return m_isOffline; }
    std::chrono::milliseconds refreshInterval() const { return m_refreshInterval; }
    // What is wrong with services.json, in words for the user: a file that cannot be read
    // or used, records that are not monitored or were dropped (and where the file as it
    // was is kept), a save that failed. Absent when all is well.
    std::optional<QString> configError() const { return m_configError; }

    // Stores the interval in the preferences and restarts the timer's period from now.
    void setRefreshInterval(std::chrono::milliseconds interval);

    // Derived values.
    Indicator aggregate() const;
    QString summary() const;
    std::optional<QDateTime> lastUpdated() const;
    bool monitorsAWS() const;
    QList<Indicator> history(const Service &service) const;
    std::optional<Indicator> lastKnownIndicator(const QUuid &serviceID) const;

    // One full refresh of every service; dropped while offline or already refreshing.
    QCoro::Task<> refresh();
    // Starts a refresh nobody waits for.
    void requestRefresh();
    // Checks one service and stores its result, without history or alerts.
    QCoro::Task<> refreshOne(Service service);
    // Whether a result fetched for this copy of a service may still be applied.
    bool isCurrent(const Service &service) const;

    // List operations; each saves the whole list.
    void add(const Service &service);
    void remove(const QSet<qsizetype> &offsets);
    void remove(const Service &service);
    void move(qsizetype from, qsizetype to);
    void setComponents(const std::optional<QStringList> &components, const Service &service);
    std::optional<Service> service(const CatalogEntry &entry) const;
    bool isMonitored(const CatalogEntry &entry) const;
    void setMonitored(const CatalogEntry &entry, bool on);
    QList<Service> customServices() const;

    // Merges the file's current content into the list (called by the file watcher).
    void reloadFromDisk();

    const ServiceStore &store() const { return m_store; }

    // The interval used when the preference is missing, zero, negative or not a number;
    // other stored values are held within the bounds.
    static constexpr std::chrono::seconds defaultRefreshInterval{300};
    static constexpr std::chrono::seconds minimumRefreshInterval{30};
    static constexpr std::chrono::seconds maximumRefreshInterval{24 * 60 * 60};
    // Checks of one refresh running at the same time. The whole catalog fits at once; with
    // thousands of services, each request started would cost in proportion to the timers of
    // all those in flight (Qt keeps them in one sorted list), and the refresh would grow
    // quadratically.
    static constexpr qsizetype checksInFlight = 128;

    // The result of one check; a check that throws reads as unknown ("The check failed.").
    static QCoro::Task<ServiceStatusResult> checkedResult(Check check, Service service);

Q_SIGNALS:
    void servicesChanged();
    void resultsChanged();
    void isRefreshingChanged(bool refreshing);
    void isOfflineChanged(bool offline);
    void refreshIntervalChanged(std::chrono::milliseconds interval);
    void configErrorChanged();
    // One result of a full refresh or single check was stored.
    void resultApplied(const Service &service, const std::optional<ServiceStatusResult> &previous,
                       const ServiceStatusResult &result);

private:
    void scheduleTimer();
    void setRefreshing(bool refreshing);
    void onReachability(bool online);
    QCoro::Task<> runRefresh();
    void applyFullRefreshResult(const Service &service, const ServiceStatusResult &result);
    void saveHistory();
    const Service *liveService(const QUuid &serviceID) const;
    void storeResult(const Service &service, const ServiceStatusResult &result);
    void dropState(const QUuid &serviceID);
    void save();
    // Saves over `onDisk`, the file as just read.
    void save(const ServiceFileContents &onDisk);
    void noteFileRead(const ServiceFileContents &contents, bool atStart);
    void publishConfigError();
    void setServices(QList<Service> services);
    QCoro::Task<> checkAdded(QList<Service> added);

    ServiceStore m_store;
    StatusHistory *m_history;
    Notifier *m_notifier;
    std::unique_ptr<Reachability> m_reachability;
    std::unique_ptr<WakeObserver> m_wake;
    std::unique_ptr<FileWatcher> m_watcher;
    bool m_readOnly;
    Check m_check;

    QList<Service> m_services;
    // Where each service stands in m_services, so that results find theirs at once.
    QHash<QUuid, qsizetype> m_indexByID;
    QHash<QUuid, ServiceStatusResult> m_results;
    QHash<QUuid, Indicator> m_lastKnown;
    bool m_isRefreshing = false;
    bool m_isOffline = false;
    std::chrono::milliseconds m_refreshInterval{defaultRefreshInterval};
    std::optional<QString> m_configError;
    // What configError() is made of: what the file held when last read (or what a save
    // dropped from it, which stays until the file is edited again) and why the last save
    // failed.
    std::optional<QString> m_fileNote;
    bool m_fileNoteSticky = false;
    std::optional<QString> m_saveError;
    // The file as it was when a save over it failed; the same file seen again by the
    // watcher (the failed save's own temporary file stirs it) is not merged and saved
    // again, which would only fail again, every debounce period.
    struct FileState {
        bool missing = false;
        QByteArray data;
        bool operator==(const FileState &) const = default;
    };
    std::optional<FileState> m_saveFailedOver;
    std::optional<QString> m_historyError;
    QTimer m_timer;
};
