#include "metrics/metricscollector.h"
#include "monitor/statusmonitor.h"

#include "monitorrig.h"

#include <QTest>
#include <qcoro/qcorotask.h>

class TestMetricsCollector : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What the monitor does between scrapes shows in the next one; the scrapes themselves
    // never start a check.
    void snapshotsFollowTheMonitor()
    {
        const Service a = makeService("A");
        const Service b = makeService("B", {}, ProviderKind::Aws);
        const Service c = makeService("C", {}, ProviderKind::Website);
        MonitorRig rig({a, b, c});
        MetricsCollector collector(*rig.monitor, QStringLiteral("9.9.9"));
        rig.check.script(a.id, {Indicator::Unknown});
        rig.check.script(b.id, {Indicator::Unknown, Indicator::Major});

        MetricsSnapshot snapshot = collector.snapshot();
        QCOMPARE(snapshot.services.size(), 3);
        QVERIFY(std::none_of(snapshot.services.cbegin(), snapshot.services.cend(),
                             [](const MetricsSnapshot::Entry &entry) { return entry.result.has_value(); }));

        rig.refresh();
        snapshot = collector.snapshot();
        QCOMPARE(snapshot.refreshes, 1u);
        QCOMPARE(snapshot.refreshDurations.count(), 1u);
        QCOMPARE(snapshot.services.at(2).result->indicator, Indicator::None);
        QCOMPARE(snapshot.checkFailures.value(ProviderKind::Statuspage), 1u);
        QCOMPARE(snapshot.checkFailures.value(ProviderKind::Aws), 1u);
        QCOMPARE(snapshot.checkFailures.value(ProviderKind::Website), 0u);

        // A single check counts its failure but is no full refresh.
        QCoro::waitFor(rig.monitor->refreshOne(a));
        QCoro::waitFor(rig.monitor->refreshOne(b));
        snapshot = collector.snapshot();
        QCOMPARE(snapshot.refreshes, 1u);
        QCOMPARE(snapshot.refreshDurations.count(), 1u);
        QCOMPARE(snapshot.checkFailures.value(ProviderKind::Statuspage), 2u);
        QCOMPARE(snapshot.checkFailures.value(ProviderKind::Aws), 1u);
        QCOMPARE(snapshot.services.at(1).result->indicator, Indicator::Major);

        const qsizetype calls = rig.check.calls().size();
        rig.monitor->remove(b);
        snapshot = collector.snapshot();
        QCOMPARE(snapshot.services.size(), 2);
        QCOMPARE(snapshot.services.at(1).service.id, c.id);
        QCOMPARE(snapshot.services.at(1).result->indicator, Indicator::None);
        QCOMPARE(rig.check.calls().size(), calls);
    }
};

QTEST_GUILESS_MAIN(TestMetricsCollector)
#include "tst_metricscollector.moc"
