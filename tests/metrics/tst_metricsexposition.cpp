#include "metrics/metricscollector.h"
#include "metrics/metricsexposition.h"
#include "metrics/metricsserver.h"
#include "monitor/statusmonitor.h"

#include "monitorrig.h"

#include <QTest>
#include <qcoro/qcorotask.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(MetricsSnapshot::Entry)

using namespace std::chrono_literals;

namespace {

const QUuid kFirst = QUuid::fromString(u"{11111111-1111-1111-1111-111111111111}"_s);
const QUuid kSecond = QUuid::fromString(u"{22222222-2222-2222-2222-222222222222}"_s);

MetricsSnapshot::Entry entry(const QUuid &id, const QString &name, ProviderKind provider,
                             std::optional<Indicator> indicator, bool maintenance = false)
{
    MetricsSnapshot::Entry entry{Service{id, name, QUrl(u"https://status.example"_s), provider, std::nullopt},
                                 std::nullopt};
    if (indicator) {
        // 2026-01-02 03:04:05.250 UTC
        const QDateTime checked = QDateTime::fromMSecsSinceEpoch(1767323045250, Qt::UTC);
        entry.result = ServiceStatusResult{id, *indicator, label(*indicator), checked, std::nullopt, maintenance};
    }
    return entry;
}

MetricsSnapshot snapshotOf(QList<MetricsSnapshot::Entry> services)
{
    MetricsSnapshot snapshot;
    snapshot.version = u"1.2.3"_s;
    snapshot.services = std::move(services);
    return snapshot;
}

QList<QByteArray> samples(const QByteArray &text, const QByteArray &metric)
{
    QList<QByteArray> found;
    for (const QByteArray &line : text.split('\n')) {
        if (line.startsWith(QByteArray(metric + '{')) || line.startsWith(QByteArray(metric + ' ')))
            found.append(line);
    }
    return found;
}

} // namespace

// What the collector gathers from the monitor, and the exposition of it, which is what
// Prometheus stores and alerts on: the exact text matters.
class TestMetricsExposition : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The formats differ in their metadata only: OpenMetrics names a counter's family without
    // "_total" and an info family without "_info", states units and ends with "# EOF".
    void formats_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QList<QByteArray>>("metadata");
        QTest::newRow("prometheus") << int(MetricsFormat::Prometheus)
                                    << QList<QByteArray>{"# TYPE glinter_refreshes_total counter",
                                                         "# TYPE glinter_build_info gauge"};
        QTest::newRow("openmetrics") << int(MetricsFormat::OpenMetrics)
                                     << QList<QByteArray>{"# TYPE glinter_refreshes counter",
                                                          "# TYPE glinter_build info",
                                                          "# UNIT glinter_service_last_check_timestamp_seconds seconds",
                                                          "# UNIT glinter_refresh_duration_seconds seconds",
                                                          "# UNIT glinter_last_refresh_timestamp_seconds seconds"};
    }

    void formats()
    {
        QFETCH(int, format);
        QFETCH(QList<QByteArray>, metadata);
        const bool open = MetricsFormat(format) == MetricsFormat::OpenMetrics;
        MetricsSnapshot snapshot = snapshotOf({entry(kFirst, u"Stripe"_s, ProviderKind::Statuspage, Indicator::Major)});
        snapshot.refreshes = 2;
        snapshot.lastRefresh = QDateTime::fromMSecsSinceEpoch(1767323045250, Qt::UTC);
        snapshot.refreshInterval = 90s;
        // A bound belongs to its own bucket; a negative duration counts as zero.
        snapshot.refreshDurations.observe(500ms);
        snapshot.refreshDurations.observe(-3s);
        snapshot.refreshDurations.observe(20s);
        snapshot.checkFailures.insert(ProviderKind::Aws, 1);
        const QByteArray text = renderMetrics(snapshot, MetricsFormat(format));
        const QList<QByteArray> lines = text.split('\n');
        for (const QByteArray &line : metadata)
            QVERIFY2(lines.contains(line), line.constData());
        QCOMPARE(text.contains("# UNIT "), open);
        QCOMPARE(text.endsWith("\n# EOF\n"), open);

        // Each family's samples follow its own metadata, under the name the format gives it.
        QByteArray family;
        for (const QByteArray &line : lines) {
            if (line.startsWith("# TYPE "))
                family = line.split(' ').at(2);
            else if (!line.isEmpty() && !line.startsWith('#'))
                QVERIFY2(!family.isEmpty() && line.startsWith(family), line.constData());
        }
        // Cumulative buckets with bounds in canonical form, and the samples named alike in both formats.
        for (const char *sample :
             {"glinter_refresh_duration_seconds_bucket{le=\"0.25\"} 1",
              "glinter_refresh_duration_seconds_bucket{le=\"0.5\"} 2",
              "glinter_refresh_duration_seconds_bucket{le=\"1.0\"} 2",
              "glinter_refresh_duration_seconds_bucket{le=\"+Inf\"} 3", "glinter_refresh_duration_seconds_sum 20.5",
              "glinter_refresh_duration_seconds_count 3", "glinter_refreshes_total 2",
              "glinter_check_failures_total{provider=\"aws\"} 1",
              "glinter_check_failures_total{provider=\"statuspage\"} 0", "glinter_build_info{version=\"1.2.3\"} 1",
              "glinter_last_refresh_timestamp_seconds 1767323045.25", "glinter_refresh_interval_seconds 90"})
            QVERIFY2(lines.contains(sample), sample);
    }

    // The per-service series of one table of monitor states, in both formats.
    void serviceSeries_data()
    {
        QTest::addColumn<QList<MetricsSnapshot::Entry>>("services");
        QTest::addColumn<QByteArray>("labels");
        QTest::addColumn<QByteArrayList>("values"); // state, up, maintenance, timestamp if any

        const QByteArray b =
            "{id=\"22222222-2222-2222-2222-222222222222\",name=\"B\",provider=\"aws\",url=\"https://status.example\"}";
        QTest::newRow("not checked yet") << QList{entry(kSecond, u"B"_s, ProviderKind::Aws, std::nullopt)} << b
                                         << QByteArrayList{"-1", "0", "0"};
        QTest::newRow("feed unreadable") << QList{entry(kSecond, u"B"_s, ProviderKind::Aws, Indicator::Unknown)} << b
                                         << QByteArrayList{"-1", "0", "0", "1767323045.25"};
        QTest::newRow("maintenance") << QList{entry(kSecond, u"B"_s, ProviderKind::Aws, Indicator::Minor, true)} << b
                                     << QByteArrayList{"1", "1", "1", "1767323045.25"};
        // A hand-edited name with every character the format escapes, and some it does not.
        QTest::newRow("escaped name")
            << QList{entry(kFirst, QString::fromUtf8("say \"hi\" C:\\dir\nnext\tline \xc3\xa9\xe2\x9c\x93 {x=1}"),
                           ProviderKind::Website, Indicator::None)}
            << QByteArray("{id=\"11111111-1111-1111-1111-111111111111\",name=\"say \\\"hi\\\" C:\\\\dir\\nnext\tline "
                          "\xc3\xa9\xe2\x9c\x93 {x=1}\",provider=\"website\",url=\"https://status.example\"}")
            << QByteArrayList{"0", "1", "0", "1767323045.25"};
        QTest::newRow("no services") << QList<MetricsSnapshot::Entry>{} << QByteArray() << QByteArrayList{};
    }

    void serviceSeries()
    {
        QFETCH(QList<MetricsSnapshot::Entry>, services);
        QFETCH(QByteArray, labels);
        QFETCH(QByteArrayList, values);
        const char *const metrics[] = {"glinter_service_state", "glinter_service_up", "glinter_service_maintenance",
                                       "glinter_service_last_check_timestamp_seconds"};
        QList<QByteArray> expected;
        for (qsizetype i = 0; i < values.size(); ++i)
            expected.append(metrics[i] + labels + ' ' + values.at(i));
        for (const MetricsFormat format : {MetricsFormat::Prometheus, MetricsFormat::OpenMetrics}) {
            const QByteArray text = renderMetrics(snapshotOf(services), format);
            QList<QByteArray> got;
            for (const char *metric : metrics)
                got += samples(text, metric);
            QCOMPARE(got, expected);
            QCOMPARE(samples(text, "glinter_services"),
                     QList<QByteArray>{"glinter_services " + QByteArray::number(services.size())});
            // Every line is a comment or a sample; an escape gone wrong splits a line.
            for (const QByteArray &line : text.split('\n'))
                QVERIFY2(line.isEmpty() || line.startsWith("# ") || line.startsWith("glinter_"), line.constData());
        }
    }

    void negotiation_data()
    {
        QTest::addColumn<QByteArray>("accept");
        QTest::addColumn<int>("format");
        // Prometheus' own header, OpenMetrics first, is read in tst_headless.
        QTest::newRow("plain text preferred")
            << QByteArray("application/openmetrics-text; q=0.3, text/plain;q=0.5") << int(MetricsFormat::Prometheus);
        QTest::newRow("letter case and spaces")
            << QByteArray(" Application/OpenMetrics-Text ; version=1.0.0") << int(MetricsFormat::OpenMetrics);
    }

    void negotiation()
    {
        QFETCH(QByteArray, accept);
        QFETCH(int, format);
        QCOMPARE(int(negotiateMetricsFormat(accept)), format);
    }

    void listenAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // empty: refused
        QTest::newRow("ipv6") << u"[::1]:9842"_s << u"[::1]:9842"_s;
        QTest::newRow("localhost") << u"localhost:9842"_s << u"127.0.0.1:9842"_s;
        QTest::newRow("port too big") << u"127.0.0.1:65536"_s << QString();
    }

    void listenAddress()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        const std::optional<ListenAddress> address = ListenAddress::parse(text);
        QCOMPARE(address ? address->toString() : QString(), parsed);
    }

    // A share per window the record covers, none for a service it does not reach back for.
    void operationalRatios()
    {
        MetricsSnapshot::Entry covered = entry(kFirst, u"A"_s, ProviderKind::Website, Indicator::None);
        covered.operationalShares = {{7, 0.99375}, {30, 1.0}};
        const QByteArray text = renderMetrics(
            snapshotOf({covered, entry(kSecond, u"B"_s, ProviderKind::Aws, Indicator::None)}),
            MetricsFormat::Prometheus);
        const QByteArray labels = "glinter_service_operational_ratio{id=\"11111111-1111-1111-1111-111111111111\","
                                  "name=\"A\",provider=\"website\",url=\"https://status.example\",window=";
        QCOMPARE(samples(text, "glinter_service_operational_ratio"),
                 (QList<QByteArray>{labels + "\"7d\"} 0.99375", labels + "\"30d\"} 1"}));
    }

    // What the monitor does between scrapes shows in the next one; the scrapes themselves
    // never start a check.
    void snapshotsFollowTheMonitor()
    {
        const Service a = makeService("A");
        const Service b = makeService("B", {}, ProviderKind::Aws);
        const Service c = makeService("C", {}, ProviderKind::Website);
        MonitorRig rig({a, b, c});
        const QDateTime started = QDateTime::currentDateTimeUtc();
        MetricsCollector collector(*rig.monitor, u"9.9.9"_s);
        rig.check.script(a.id, {Indicator::Unknown});
        rig.check.script(b.id, {Indicator::Unknown, Indicator::Major});
        // Refreshes, timed refreshes, then failures on Statuspage, AWS and website pages.
        const auto counts = [&collector] {
            const MetricsSnapshot snapshot = collector.snapshot();
            return QList<std::uint64_t>{snapshot.refreshes, snapshot.refreshDurations.count(),
                                        snapshot.checkFailures.value(ProviderKind::Statuspage),
                                        snapshot.checkFailures.value(ProviderKind::Aws),
                                        snapshot.checkFailures.value(ProviderKind::Website)};
        };

        MetricsSnapshot snapshot = collector.snapshot();
        QCOMPARE(snapshot.services.size(), 3);
        QVERIFY(std::none_of(snapshot.services.cbegin(), snapshot.services.cend(),
                             [](const MetricsSnapshot::Entry &entry) { return entry.result.has_value(); }));

        // Before the first refresh the start stands for it, so that a monitor stuck in its
        // first one grows stale like one that stopped.
        QVERIFY(snapshot.lastRefresh >= started && snapshot.lastRefresh <= QDateTime::currentDateTimeUtc());
        QTRY_VERIFY(QDateTime::currentDateTimeUtc() > snapshot.lastRefresh);
        const QDateTime beforeRefresh = QDateTime::currentDateTimeUtc();

        rig.refresh();
        QCOMPARE(counts(), (QList<std::uint64_t>{1, 1, 1, 1, 0}));
        QCOMPARE(collector.snapshot().services.at(2).result->indicator, Indicator::None);
        const QDateTime refreshed = collector.snapshot().lastRefresh;
        QVERIFY(refreshed >= beforeRefresh);

        // A single check counts its failure but is no full refresh.
        QCoro::waitFor(rig.monitor->refreshOne(a));
        QCoro::waitFor(rig.monitor->refreshOne(b));
        QCOMPARE(counts(), (QList<std::uint64_t>{1, 1, 2, 1, 0}));
        QCOMPARE(collector.snapshot().services.at(1).result->indicator, Indicator::Major);
        QCOMPARE(collector.snapshot().lastRefresh, refreshed);

        // The interval tells alert rules how stale the last refresh may grow.
        rig.monitor->setRefreshInterval(90s);
        QCOMPARE(collector.snapshot().refreshInterval, 90s);

        const qsizetype calls = rig.check.calls().size();
        rig.monitor->remove(b);
        snapshot = collector.snapshot();
        QCOMPARE(snapshot.services.size(), 2);
        QCOMPARE(snapshot.services.at(1).service.id, c.id);
        QCOMPARE(snapshot.services.at(1).result->indicator, Indicator::None);
        QCOMPARE(rig.check.calls().size(), calls);
    }
};

QTEST_GUILESS_MAIN(TestMetricsExposition)
#include "tst_metricsexposition.moc"
