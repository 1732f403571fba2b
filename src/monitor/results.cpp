#include "monitor/results.h"

#include "alerts/alertdecision.h"
#include "monitor/statushistory.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcResults, "glinter.results")

} // namespace

Results::Results(StatusHistory *history, UptimeRecord *uptime, Notifier *notifier, QObject *parent)
    : QObject(parent)
    , m_history(history)
    , m_uptime(uptime)
    , m_notifier(notifier)
{
    m_pendingHistory.setSingleShot(true);
    m_pendingHistory.setTimerType(Qt::CoarseTimer);
    connect(&m_pendingHistory, &QTimer::timeout, this, &Results::writeHistory);
}

std::optional<ServiceStatusResult> Results::result(const QUuid &serviceID) const
{
    const auto it = m_results.constFind(serviceID);
    if (it == m_results.constEnd())
        return std::nullopt;
    return *it;
}

std::optional<Indicator> Results::lastKnownIndicator(const QUuid &serviceID) const
{
    const auto it = m_lastKnown.constFind(serviceID);
    if (it == m_lastKnown.constEnd())
        return std::nullopt;
    return *it;
}

QList<Indicator> Results::history(const QUuid &serviceID) const
{
    return m_history ? m_history->indicators(serviceID) : QList<Indicator>();
}

Indicator Results::aggregate(const QList<Service> &services) const
{
    Indicator worst = Indicator::Unknown;
    for (const Service &service : services) {
        const auto it = m_results.constFind(service.id);
        if (it != m_results.constEnd() && it->indicator != Indicator::Unknown)
            worst = std::max(worst, it->indicator);
    }
    return worst;
}

std::optional<QDateTime> Results::lastUpdated() const
{
    std::optional<QDateTime> latest;
    for (const ServiceStatusResult &result : m_results) {
        if (!latest || result.lastChecked > *latest)
            latest = result.lastChecked;
    }
    return latest;
}

void Results::record(const Service &service, const ServiceStatusResult &result)
{
    const std::optional<Indicator> old = lastKnownIndicator(service.id);
    store(service, result);
    if (result.indicator == Indicator::Unknown)
        return;
    if (m_history) {
        m_history->append(service.id, result.indicator, result.lastChecked);
        m_historyChanged = m_historyChanged || old != result.indicator;
    }
    if (m_uptime)
        m_uptime->add(service.id, result.indicator, result.lastChecked);
    if (old && m_notifier)
        notifyIfChanged(service, *old, result, *m_notifier);
    m_lastKnown.insert(service.id, result.indicator);
}

void Results::store(const Service &service, const ServiceStatusResult &result)
{
    const std::optional<ServiceStatusResult> previous = this->result(service.id);
    m_results.insert(service.id, result);
    Q_EMIT applied(service, previous, result);
}

void Results::saveHistory()
{
    // The record is not the user's to fix and the next write may well succeed: a warning
    // in the log rather than words in the window.
    if (m_uptime) {
        if (const std::optional<QString> error = m_uptime->saveIfDue())
            qCWarning(lcResults) << "uptime.json could not be saved:" << *error;
    }
    if (!m_history || !m_history->hasUnsaved())
        return;
    // The first write comes right after the first refresh: a folder that cannot be written
    // shows at once, and a crash soon after the start loses nothing.
    if (!m_sinceHistoryWrite.isValid()) {
        writeHistory();
        return;
    }
    scheduleHistoryWrite();
}

void Results::scheduleHistoryWrite()
{
    // A calm day (every state as it was) is written hourly rather than every quarter: the
    // whole file each time, some 400 KB with a hundred services.
    const std::chrono::milliseconds due = m_historyChanged ? m_historyWriteInterval : 4 * m_historyWriteInterval;
    const std::chrono::milliseconds since{m_sinceHistoryWrite.elapsed()};
    if (since >= due)
        writeHistory();
    else
        m_pendingHistory.start(due - since);
}

void Results::flush()
{
    if (m_uptime) {
        if (const std::optional<QString> error = m_uptime->save())
            qCWarning(lcResults) << "uptime.json could not be saved:" << *error;
    }
    if (m_history)
        writeHistory();
}

void Results::setHistoryWriteInterval(std::chrono::milliseconds interval)
{
    m_historyWriteInterval = interval;
    if (m_pendingHistory.isActive())
        scheduleHistoryWrite();
}

void Results::writeHistory()
{
    m_pendingHistory.stop();
    m_historyChanged = false;
    // A failed write waits for the interval too: a full disk is not tried after every refresh.
    m_sinceHistoryWrite.start();
    std::optional<QString> error = m_history->save(QDateTime::currentDateTimeUtc());
    if (error)
        error = tr("history.json could not be saved: %1").arg(*error);
    if (error == m_historyError)
        return;
    m_historyError = std::move(error);
    Q_EMIT historyErrorChanged();
}

void Results::forget(const QList<QUuid> &serviceIDs)
{
    if (m_uptime)
        m_uptime->forget(serviceIDs);
    bool any = false;
    for (const QUuid &id : serviceIDs) {
        any = m_results.remove(id) || any;
        m_lastKnown.remove(id);
    }
    if (any)
        Q_EMIT changed();
}

void Results::forgetLastKnown(const QUuid &serviceID)
{
    m_lastKnown.remove(serviceID);
}
