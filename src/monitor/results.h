#pragma once

#include "core/indicator.h"
#include "core/service.h"
#include "core/servicestatusresult.h"
#include "monitor/statushistory.h"
#include "monitor/uptimerecord.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <optional>

class Notifier;

// What the checks found: the latest result of each service, the last state that could be
// read, the history of samples, and the alerts raised when a service's state really
// changes. Main thread only.
class Results : public QObject
{
    Q_OBJECT

public:
    // Each may be absent: then there is no history, no uptime record, or no alerts.
    Results(StatusHistory *history, UptimeRecord *uptime, Notifier *notifier, QObject *parent = nullptr);

    const QHash<QUuid, ServiceStatusResult> &all() const { return m_results; }
    std::optional<ServiceStatusResult> result(const QUuid &serviceID) const;
    std::optional<Indicator> lastKnownIndicator(const QUuid &serviceID) const;
    QList<Indicator> history(const QUuid &serviceID) const;
    const UptimeRecord *uptime() const { return m_uptime; }
    // The worst readable state among `services`; Unknown when none can be read.
    Indicator aggregate(const QList<Service> &services) const;
    // When the newest result was checked.
    std::optional<QDateTime> lastUpdated() const;
    // Why history.json could not be written, in words; absent when it was.
    std::optional<QString> historyError() const { return m_historyError; }

    // A result of a full refresh: stored and, when readable, sampled and compared with the
    // last readable state, which may raise an alert.
    void record(const Service &service, const ServiceStatusResult &result);
    // A result of a single check: stored only.
    void store(const Service &service, const ServiceStatusResult &result);
    // Writes the history's new samples, at once when the last write is an interval ago and
    // otherwise when the interval is over; samples that only repeat each service's state
    // wait four intervals, as a crash would lose no change with them. And the uptime record
    // when an hour has passed since its last write. Called as each refresh ends.
    void saveHistory();
    // Writes what is pending of both now (a clean exit, the session ending).
    void flush();
    // How often history.json may be written while running; StatusHistory::writeEvery unless
    // set. Counts from the last write.
    void setHistoryWriteInterval(std::chrono::milliseconds interval);
    // Tells the views that results were stored.
    void publish() { Q_EMIT changed(); }

    // Services that are no longer monitored take their results with them.
    void forget(const QList<QUuid> &serviceIDs);
    // A service read anew (another component selection) starts without a known state.
    void forgetLastKnown(const QUuid &serviceID);

Q_SIGNALS:
    void changed();
    void historyErrorChanged();
    // One result was stored.
    void applied(const Service &service, const std::optional<ServiceStatusResult> &previous,
                 const ServiceStatusResult &result);

private:
    void scheduleHistoryWrite();
    void writeHistory();

    StatusHistory *m_history;
    UptimeRecord *m_uptime;
    Notifier *m_notifier;
    QHash<QUuid, ServiceStatusResult> m_results;
    QHash<QUuid, Indicator> m_lastKnown;
    std::optional<QString> m_historyError;
    std::chrono::milliseconds m_historyWriteInterval = StatusHistory::writeEvery;
    // Monotonic: a clock set back or forward neither holds the samples nor hurries them.
    QElapsedTimer m_sinceHistoryWrite;
    // Ends the interval with the samples that waited for it.
    QTimer m_pendingHistory;
    // Whether a sample since the last write changed a service's state (or is its first).
    bool m_historyChanged = false;
};
