#include "metrics/metricsexposition.h"

#include "providers/providertable.h"

#include <QStringView>

#include <charconv>
#include <chrono>
#include <cmath>

namespace {

void appendNumber(QByteArray &out, double value)
{
    char buffer[32];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, qsizetype(written.ptr - buffer));
}

void appendNumber(QByteArray &out, std::uint64_t value)
{
    char buffer[24];
    const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, qsizetype(written.ptr - buffer));
}

// Bucket bounds in the canonical form OpenMetrics asks for ("1.0", not "1").
void appendBound(QByteArray &out, double bound)
{
    appendNumber(out, bound);
    if (std::floor(bound) == bound)
        out.append(".0");
}

// Label values may hold anything but an unescaped backslash, double quote or line feed.
void appendLabelValue(QByteArray &out, QStringView value)
{
    const QByteArray utf8 = value.toUtf8();
    out.reserve(out.size() + utf8.size() + 2);
    for (const char c : utf8) {
        switch (c) {
        case '\\':
            out.append("\\\\");
            break;
        case '"':
            out.append("\\\"");
            break;
        case '\n':
            out.append("\\n");
            break;
        default:
            out.append(c);
        }
    }
}

enum class Kind { Gauge, Counter, Histogram, Info };

// Writes the metadata of one family. `name` is the family's name in OpenMetrics, where a
// counter's family drops the "_total" of its sample and an info family the "_info"; the
// Prometheus text format names the family after the sample and has no info type.
class Writer
{
public:
    explicit Writer(MetricsFormat format)
        : m_format(format)
    {
    }

    void family(const char *name, Kind kind, const char *help, bool seconds = false)
    {
        const bool open = m_format == MetricsFormat::OpenMetrics;
        QByteArray sampleName(name);
        if (!open && kind == Kind::Counter)
            sampleName.append("_total");
        if (!open && kind == Kind::Info)
            sampleName.append("_info");
        const char *type = "gauge";
        switch (kind) {
        case Kind::Gauge:
            break;
        case Kind::Counter:
            type = "counter";
            break;
        case Kind::Histogram:
            type = "histogram";
            break;
        case Kind::Info:
            type = open ? "info" : "gauge";
            break;
        }
        out.append("# HELP ").append(sampleName).append(' ').append(help).append('\n');
        out.append("# TYPE ").append(sampleName).append(' ').append(type).append('\n');
        if (open && seconds)
            out.append("# UNIT ").append(sampleName).append(" seconds\n");
    }

    void finish()
    {
        if (m_format == MetricsFormat::OpenMetrics)
            out.append("# EOF\n");
    }

    QByteArray out;

private:
    MetricsFormat m_format;
};

// The labels of a service's series, without the braces.
QByteArray serviceLabels(const Service &service)
{
    QByteArray labels;
    labels.append("id=\"");
    appendLabelValue(labels, uuidText(service.id));
    labels.append("\",name=\"");
    appendLabelValue(labels, service.name);
    labels.append("\",provider=\"");
    appendLabelValue(labels, service.providerName());
    // The page itself, for alerts and dashboards to link to.
    labels.append("\",url=\"");
    appendLabelValue(labels, service.urlText());
    labels.append('"');
    return labels;
}

// `value` is a double or a std::uint64_t, written as appendNumber writes it.
template<typename Number>
void appendSample(QByteArray &out, const char *name, const QByteArray &labels, Number value)
{
    out.append(name);
    if (!labels.isEmpty())
        out.append('{').append(labels).append('}');
    out.append(' ');
    appendNumber(out, value);
    out.append('\n');
}

} // namespace

MetricsFormat negotiateMetricsFormat(const QByteArray &accept)
{
    // The highest quality the client gives to each format; absent means not acceptable.
    double openMetrics = 0;
    double text = 0;
    for (const QByteArray &range : accept.split(',')) {
        const QList<QByteArray> parts = range.split(';');
        const QByteArray type = parts.first().trimmed().toLower();
        double quality = 1;
        for (qsizetype i = 1; i < parts.size(); ++i) {
            const QByteArray parameter = parts.at(i).trimmed();
            if (parameter.size() > 2 && parameter.first(2).toLower() == "q=") {
                bool ok = false;
                const double value = parameter.mid(2).toDouble(&ok);
                quality = ok && value >= 0 && value <= 1 ? value : 0;
            }
        }
        if (type == "application/openmetrics-text")
            openMetrics = std::max(openMetrics, quality);
        else if (type == "text/plain" || type == "text/*" || type == "*/*")
            text = std::max(text, quality);
    }
    return openMetrics > 0 && openMetrics >= text ? MetricsFormat::OpenMetrics : MetricsFormat::Prometheus;
}

QByteArray metricsContentType(MetricsFormat format)
{
    switch (format) {
    case MetricsFormat::OpenMetrics:
        return QByteArrayLiteral("application/openmetrics-text; version=1.0.0; charset=utf-8");
    case MetricsFormat::Prometheus:
        break;
    }
    return QByteArrayLiteral("text/plain; version=0.0.4; charset=utf-8");
}

QByteArray renderMetrics(const MetricsSnapshot &snapshot, MetricsFormat format)
{
    Writer writer(format);
    QByteArray &out = writer.out;
    out.reserve(256 + snapshot.services.size() * 700);

    QList<QByteArray> labels;
    labels.reserve(snapshot.services.size());
    for (const MetricsSnapshot::Entry &entry : snapshot.services)
        labels.append(serviceLabels(entry.service));

    writer.family("glinter_service_state", Kind::Gauge,
                  "State of the service: -1 unknown, 0 none, 1 minor, 2 major, 3 critical.");
    for (qsizetype i = 0; i < snapshot.services.size(); ++i) {
        const std::optional<ServiceStatusResult> &result = snapshot.services.at(i).result;
        appendSample(out, "glinter_service_state", labels.at(i),
                     double(storedNumber(result ? result->indicator : Indicator::Unknown)));
    }

    writer.family("glinter_service_up", Kind::Gauge, "1 when the last check read the feed, 0 when it was unknown.");
    for (qsizetype i = 0; i < snapshot.services.size(); ++i) {
        const std::optional<ServiceStatusResult> &result = snapshot.services.at(i).result;
        appendSample(out, "glinter_service_up", labels.at(i),
                     std::uint64_t(result && result->indicator != Indicator::Unknown ? 1 : 0));
    }

    writer.family("glinter_service_maintenance", Kind::Gauge, "1 while the service is in scheduled maintenance.");
    for (qsizetype i = 0; i < snapshot.services.size(); ++i) {
        const std::optional<ServiceStatusResult> &result = snapshot.services.at(i).result;
        appendSample(out, "glinter_service_maintenance", labels.at(i),
                     std::uint64_t(result && result->isMaintenance ? 1 : 0));
    }

    writer.family("glinter_service_last_check_timestamp_seconds", Kind::Gauge,
                  "When the service's last check finished, in seconds since the Unix epoch.", true);
    for (qsizetype i = 0; i < snapshot.services.size(); ++i) {
        const std::optional<ServiceStatusResult> &result = snapshot.services.at(i).result;
        if (result && result->lastChecked.isValid()) {
            appendSample(out, "glinter_service_last_check_timestamp_seconds", labels.at(i),
                         double(result->lastChecked.toMSecsSinceEpoch()) / 1000.0);
        }
    }

    writer.family("glinter_service_operational_ratio", Kind::Gauge,
                  "Share of the readable checks that found the service operational, over the windows the uptime "
                  "record covers.");
    for (qsizetype i = 0; i < snapshot.services.size(); ++i) {
        const QMap<int, double> &shares = snapshot.services.at(i).operationalShares;
        for (auto it = shares.constBegin(); it != shares.constEnd(); ++it) {
            QByteArray windowLabels = labels.at(i);
            windowLabels.append(",window=\"").append(QByteArray::number(it.key())).append("d\"");
            appendSample(out, "glinter_service_operational_ratio", windowLabels, it.value());
        }
    }

    const RefreshDurations &durations = snapshot.refreshDurations;
    writer.family("glinter_refresh_duration_seconds", Kind::Histogram, "Duration of full refreshes of every service.",
                  true);
    for (std::size_t i = 0; i < RefreshDurations::bounds.size(); ++i) {
        QByteArray le("le=\"");
        appendBound(le, RefreshDurations::bounds[i]);
        le.append('"');
        appendSample(out, "glinter_refresh_duration_seconds_bucket", le, durations.cumulativeCount(i));
    }
    appendSample(out, "glinter_refresh_duration_seconds_bucket", QByteArrayLiteral("le=\"+Inf\""), durations.count());
    appendSample(out, "glinter_refresh_duration_seconds_sum", {}, durations.sumSeconds());
    appendSample(out, "glinter_refresh_duration_seconds_count", {}, durations.count());

    writer.family("glinter_refreshes", Kind::Counter, "Full refreshes of every service that finished.");
    appendSample(out, "glinter_refreshes_total", {}, snapshot.refreshes);

    writer.family("glinter_last_refresh_timestamp_seconds", Kind::Gauge,
                  "When the last full refresh finished (before the first, when the program started), in seconds "
                  "since the Unix epoch.",
                  true);
    if (snapshot.lastRefresh.isValid()) {
        appendSample(out, "glinter_last_refresh_timestamp_seconds", {},
                     double(snapshot.lastRefresh.toMSecsSinceEpoch()) / 1000.0);
    }

    writer.family("glinter_refresh_interval_seconds", Kind::Gauge, "Period of the scheduled full refreshes.", true);
    appendSample(out, "glinter_refresh_interval_seconds", {},
                 std::chrono::duration<double>(snapshot.refreshInterval).count());

    writer.family("glinter_check_failures", Kind::Counter, "Checks whose feed could not be read, by feed format.");
    for (const ProviderInfo &row : providerTable()) {
        QByteArray provider("provider=\"");
        appendLabelValue(provider, storedName(row.kind));
        provider.append('"');
        appendSample(out, "glinter_check_failures_total", provider, snapshot.checkFailures.value(row.kind, 0));
    }

    writer.family("glinter_build", Kind::Info, "The running version of Glinter.");
    QByteArray version("version=\"");
    appendLabelValue(version, snapshot.version);
    version.append('"');
    appendSample(out, "glinter_build_info", version, std::uint64_t(1));

    writer.family("glinter_services", Kind::Gauge, "Number of monitored services.");
    appendSample(out, "glinter_services", {}, std::uint64_t(snapshot.services.size()));

    writer.finish();
    return out;
}
