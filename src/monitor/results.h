#pragma once

#include "core/indicator.h"
#include "core/service.h"
#include "core/servicestatusresult.h"
#include "monitor/statushistory.h"
#include "monitor/uptimerecord.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>

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
    // Writes the history's new samples (once per refresh), and the uptime record when an
    // hour has passed since its last write.
    void saveHistory();
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
    StatusHistory *m_history;
    UptimeRecord *m_uptime;
    Notifier *m_notifier;
    QHash<QUuid, ServiceStatusResult> m_results;
    QHash<QUuid, Indicator> m_lastKnown;
    std::optional<QString> m_historyError;
};
