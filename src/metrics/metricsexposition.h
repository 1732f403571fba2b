#pragma once

#include "metrics/metricssnapshot.h"

#include <QByteArray>

// The two text formats a scraper may ask for.
enum class MetricsFormat {
    Prometheus, // text/plain; version=0.0.4
    OpenMetrics, // application/openmetrics-text; version=1.0.0
};

// Picks the format from a request's Accept header: OpenMetrics when the client asks for it
// at least as strongly as for plain text, the Prometheus text format otherwise (also when
// the header is missing or unreadable).
MetricsFormat negotiateMetricsFormat(const QByteArray &accept);

// The Content-Type header value of a format.
QByteArray metricsContentType(MetricsFormat format);

// The exposition of one snapshot. Pure: the same snapshot always gives the same bytes.
QByteArray renderMetrics(const MetricsSnapshot &snapshot, MetricsFormat format);
