#include "metrics/metricscollector.h"

#include "monitor/statusmonitor.h"

MetricsCollector::MetricsCollector(const StatusMonitor &monitor, QString version, QObject *parent)
    : QObject(parent)
    , m_monitor(monitor)
    , m_version(std::move(version))
    , m_lastRefresh(QDateTime::currentDateTimeUtc())
{
    connect(&monitor, &StatusMonitor::isRefreshingChanged, this, &MetricsCollector::onRefreshingChanged);
    connect(
        &monitor, &StatusMonitor::resultApplied, this,
        [this](const Service &service, const std::optional<ServiceStatusResult> &, const ServiceStatusResult &result) {
            // A service whose provider this version lacks is never checked: nothing failed.
            if (result.indicator == Indicator::Unknown && service.provider)
                ++m_failures[*service.provider];
        });
}

void MetricsCollector::onRefreshingChanged(bool refreshing)
{
    if (refreshing) {
        m_refreshClock.start();
        return;
    }
    // A refresh already running when the collector was made has no start time.
    if (!m_refreshClock.isValid())
        return;
    m_durations.observe(std::chrono::nanoseconds(m_refreshClock.nsecsElapsed()));
    ++m_refreshes;
    m_lastRefresh = QDateTime::currentDateTimeUtc();
    m_refreshClock.invalidate();
}

MetricsSnapshot MetricsCollector::snapshot() const
{
    MetricsSnapshot snapshot;
    snapshot.version = m_version;
    snapshot.refreshDurations = m_durations;
    snapshot.refreshes = m_refreshes;
    snapshot.lastRefresh = m_lastRefresh;
    snapshot.refreshInterval = m_monitor.refreshInterval();
    snapshot.checkFailures = m_failures;

    const QList<Service> &services = m_monitor.services();
    snapshot.services.reserve(services.size());
    // Identifiers are unique: the monitor gives a record that repeats one an identity of its own.
    for (const Service &service : services) {
        MetricsSnapshot::Entry entry{service, m_monitor.result(service.id), {}};
        for (const int days : operationalWindows) {
            if (const std::optional<double> share = m_monitor.operationalShare(service.id, std::chrono::days(days)))
                entry.operationalShares.insert(days, *share);
        }
        snapshot.services.append(std::move(entry));
    }
    return snapshot;
}
