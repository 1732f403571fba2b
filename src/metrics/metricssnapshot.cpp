#include "metrics/metricssnapshot.h"

#include <algorithm>

void RefreshDurations::observe(std::chrono::duration<double> duration)
{
    const double seconds = std::max(0.0, duration.count());
    const auto bucket = std::lower_bound(bounds.cbegin(), bounds.cend(), seconds);
    if (bucket != bounds.cend())
        ++m_counts[std::size_t(bucket - bounds.cbegin())];
    ++m_count;
    m_sum += seconds;
}

std::uint64_t RefreshDurations::cumulativeCount(std::size_t bucket) const
{
    std::uint64_t total = 0;
    for (std::size_t i = 0; i <= bucket && i < m_counts.size(); ++i)
        total += m_counts[i];
    return total;
}
