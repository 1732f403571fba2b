#pragma once

#include "core/indicator.h"
#include "core/service.h"
#include "core/servicestatusresult.h"
#include "core/servicestore.h"
#include "monitor/refreshscheduler.h"
#include "monitor/results.h"
#include "monitor/servicelist.h"
#include "monitor/statushistory.h"
#include "providers/providercontext.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <qcoro/qcorotask.h>

#include <chrono>
#include <memory>
#include <optional>

class Notifier;
class Settings;
class UptimeRecord;

// The one object every view holds, over three pieces with a job each: the service list
// (services.json, its merge and its errors), the refresh scheduler (when and how services
// are checked) and the results (latest states, history, alerts). It wires them together,
// forwards what they publish, and answers for the monitor as a whole. Main thread only.
class StatusMonitor : public QObject
{
    Q_OBJECT

public:
    using Check = RefreshScheduler::Check;

    // What the monitor is built on. Everything but the store may be left out: a monitor
    // without history, notifier, reachability or wake observer simply does without them.
    struct Setup {
        explicit Setup(ServiceStore storeToUse)
            : store(std::move(storeToUse))
        {
        }

        ServiceStore store;
        // The user's preferences; the monitor reads its own when none is given.
        Settings *settings = nullptr;
        // The services file as the caller has just read it, so that it is not read again.
        std::optional<ServiceFileContents> contents;
        StatusHistory *history = nullptr;
        // The long record of each service's hours; services it holds that are not in a
        // readable list are dropped from it.
        UptimeRecord *uptime = nullptr;
        Notifier *notifier = nullptr;
        // How long what the providers learn between checks is kept (found page identifiers,
        // say): while the monitor lives, or also for the next run.
        ProviderContext::Keeping providerMemory = ProviderContext::Keeping::WhileRunning;
        std::unique_ptr<Reachability> reachability;
        std::unique_ptr<WakeObserver> wake;
        // Watch services.json and merge outside edits.
        bool watchFile = true;
        // Never write services.json (a one-shot check).
        bool readOnly = false;
        // Run the timer and the first refresh right after start-up.
        bool autoRefresh = true;
        // How often history.json may be written while running.
        std::chrono::milliseconds historyWriteInterval = StatusHistory::writeEvery;
        // How one service is checked; by default the registry's provider with one retry, made
        // with the monitor's provider context (the settings and what providers keep).
        Check check;
    };

    explicit StatusMonitor(Setup setup, QObject *parent = nullptr);
    ~StatusMonitor() override;

    // Observed state.
    const QList<Service> &services() const { return m_list->services(); }
    // The listed service with this identity; null when there is none. Valid until the list changes.
    const Service *service(const QUuid &serviceID) const { return m_list->find(serviceID); }
    const QHash<QUuid, ServiceStatusResult> &results() const { return m_results->all(); }
    std::optional<ServiceStatusResult> result(const QUuid &serviceID) const { return m_results->result(serviceID); }
    std::optional<Indicator> lastKnownIndicator(const QUuid &serviceID) const;
    QList<Indicator> history(const Service &service) const { return m_results->history(service.id); }
    // The service's hours in the uptime record as they stand now; empty without a record.
    UptimeRecord::Series uptime(const Service &service) const;
    // The share of the service's readable checks that were operational over `window`, when
    // the uptime record reaches back that far.
    std::optional<double> operationalShare(const QUuid &serviceID, std::chrono::seconds window) const;
    bool isRefreshing() const { return m_scheduler->isRefreshing(); }
    bool isOffline() const { return m_scheduler->isOffline(); }
    std::chrono::milliseconds refreshInterval() const { return m_scheduler->interval(); }
    // Stores the interval; the timer's period starts again from now.
    void setRefreshInterval(std::chrono::milliseconds interval);
    Settings &settings() { return *m_settings; }
    const ServiceStore &store() const { return m_list->store(); }
    // What is wrong with services.json or history.json, in words for the user; absent when
    // all is well.
    std::optional<QString> configError() const { return m_configError; }

    // The worst readable state of the monitored services; Unknown when none can be read.
    Indicator aggregate() const { return m_results->aggregate(m_list->services()); }
    // When the newest result was checked.
    std::optional<QDateTime> lastUpdated() const { return m_results->lastUpdated(); }

    QCoro::Task<> refresh() { return m_scheduler->refresh(); }
    // Writes the samples and hours that wait for their interval (a clean exit, the session
    // ending); the details and the panel read them from memory meanwhile.
    void flush() { m_results->flush(); }
    void setHistoryWriteInterval(std::chrono::milliseconds interval) { m_results->setHistoryWriteInterval(interval); }
    void requestRefresh() { m_scheduler->requestRefresh(); }
    QCoro::Task<> refreshOne(Service service) { return m_scheduler->refreshOne(std::move(service)); }

    // List operations; each saves the whole list once.
    void add(const Service &service) { m_list->add({service}); }
    void add(const QList<Service> &services) { m_list->add(services); }
    void remove(const Service &service) { m_list->remove({service.id}); }
    void remove(const QSet<QUuid> &serviceIDs) { m_list->remove(serviceIDs); }
    void move(qsizetype from, qsizetype to) { m_list->move(from, to); }
    void setComponents(const std::optional<QStringList> &components, const Service &service)
    {
        m_list->setComponents(components, service.id);
    }
    // Merges the file's current content into the list (the file watcher calls it).
    void reloadFromDisk() { m_list->reloadFromDisk(); }

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
    void publishConfigError();

    std::unique_ptr<Settings> m_ownSettings;
    Settings *m_settings;
    std::unique_ptr<ServiceList> m_list;
    std::unique_ptr<Results> m_results;
    // What the providers keep across refreshes, so that what rarely changes is not read on
    // every check.
    std::unique_ptr<ProviderContext> m_providers;
    std::unique_ptr<RefreshScheduler> m_scheduler;
    std::optional<QString> m_configError;
};
