#pragma once

#include "core/providerkind.h"
#include "core/service.h"
#include "core/servicestatusresult.h"
#include "monitor/uptimerecord.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>

// The durations of full refreshes, counted into fixed buckets.
class RefreshDurations
{
public:
    // Upper bounds of the buckets in seconds, ascending; the +Inf bucket is implied. A full
    // refresh lasts up to two reads of 12 s with a 1.5 s pause between them.
    static constexpr std::array<double, 9> bounds{0.25, 0.5, 1, 2.5, 5, 10, 15, 30, 60};

    void observe(std::chrono::duration<double> duration);

    // Observations at or below bounds[bucket].
    std::uint64_t cumulativeCount(std::size_t bucket) const;
    std::uint64_t count() const { return m_count; }
    double sumSeconds() const { return m_sum; }

private:
    std::array<std::uint64_t, bounds.size()> m_counts{};
    std::uint64_t m_count = 0;
    double m_sum = 0;
};

// Everything one scrape exposes, copied out of the monitor at the moment of the scrape.
struct MetricsSnapshot {
    struct Entry {
        Service service;
        // Absent until the service's first check has finished.
        std::optional<ServiceStatusResult> result;
        // The share of readable checks that were operational over each window of
        // operationalWindows the uptime record covers, in days.
        QMap<int, double> operationalShares;
    };

    QString version;
    QList<Entry> services;
    RefreshDurations refreshDurations;
    std::uint64_t refreshes = 0;
    // When the last full refresh finished; until one has, when the collector started, so
    // that a monitor that never finishes one looks as stale as one that stopped.
    QDateTime lastRefresh;
    // The period of the scheduled refreshes, which tells how stale lastRefresh may be.
    std::chrono::milliseconds refreshInterval{0};
    // Checks that ended unknown, by the kind of feed; kinds without failures may be absent.
    QMap<ProviderKind, std::uint64_t> checkFailures;
};
