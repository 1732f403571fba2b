#pragma once

#include "metrics/metricssnapshot.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>

class StatusMonitor;

// Watches a monitor for what it does not keep itself (how long full refreshes take, how
// many finished and when the last did, how many checks failed) and copies the monitor's current list and results
// into a snapshot on request. Reading never starts a check. Main thread only; the monitor
// must outlive the collector.
class MetricsCollector : public QObject
{
    Q_OBJECT

public:
    MetricsCollector(const StatusMonitor &monitor, QString version, QObject *parent = nullptr);

    MetricsSnapshot snapshot() const;

private:
    void onRefreshingChanged(bool refreshing);

    const StatusMonitor &m_monitor;
    QString m_version;
    RefreshDurations m_durations;
    std::uint64_t m_refreshes = 0;
    QDateTime m_lastRefresh;
    QMap<ProviderKind, std::uint64_t> m_failures;
    // Runs while a refresh that started after the collector is under way.
    QElapsedTimer m_refreshClock;
};
