#include "providers/gatus/gatusprovider.h"
#include "providers/uptimekuma/uptimekumaprovider.h"

#include "readertesting.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace ReaderTesting;

namespace {

// An Uptime Kuma page with monitors 1..n in one group, `extra` spliced into its top object,
// and the heartbeat document in which monitor i last reported beats[i-1] (-1: never).
std::pair<QByteArray, QByteArray> kumaPage(const QList<int> &beats, const QByteArray &extra = {})
{
    QJsonArray monitors;
    QJsonObject lists;
    for (qsizetype i = 0; i < beats.size(); ++i) {
        const QString id = QString::number(i + 1);
        monitors.append(QJsonObject{{u"id"_qs, int(i + 1)}, {u"name"_qs, u"M%1"_qs.arg(id)}});
        if (beats.at(i) >= 0)
            lists.insert(id, QJsonArray{QJsonObject{{u"status"_qs, 1}}, QJsonObject{{u"status"_qs, beats.at(i)}}});
    }
    QJsonObject page = QJsonDocument::fromJson("{" + extra + "\"config\":{}}").object();
    page.insert(u"publicGroupList"_qs, QJsonArray{QJsonObject{{u"name"_qs, u"G"_qs}, {u"monitorList"_qs, monitors}}});
    return {QJsonDocument(page).toJson(QJsonDocument::Compact),
            QJsonDocument(QJsonObject{{u"heartbeatList"_qs, lists}}).toJson(QJsonDocument::Compact)};
}

} // namespace

// The providers of self-hosted monitoring pages (Uptime Kuma, Gatus): the state their monitors'
// latest checks give, and one check of each through a fake server.
class TestMonitorPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void kumaEndpoints_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("expected"); // page, then heartbeat document
        QTest::newRow("page") << u"https://up.example.org/status/homelab?x=1#top"_qs
                              << u"https://up.example.org/api/status-page/homelab "
                                 u"https://up.example.org/api/status-page/heartbeat/homelab"_qs;
        QTest::newRow("behind a path, plain http, trailing slash")
            << u"http://10.0.0.4:3001/kuma/status/lab/"_qs
            << u"http://10.0.0.4:3001/kuma/api/status-page/lab http://10.0.0.4:3001/kuma/api/status-page/heartbeat/lab"_qs;
        QTest::newRow("no slug") << u"https://up.example.org/status"_qs << u"none"_qs;
        QTest::newRow("another shape") << u"https://up.example.org/status/lab/rss"_qs << u"none"_qs;
        QTest::newRow("not a web address") << u"ftp://up.example.org/status/lab"_qs << u"none"_qs;
    }

    void kumaEndpoints()
    {
        QFETCH(QString, address);
        const std::optional<UptimeKumaProvider::Endpoints> found = UptimeKumaProvider::endpoints(QUrl(address));
        QTEST(found ? found->page.toString() + u' ' + found->heartbeats.toString() : u"none"_qs, "expected");
    }

    // Beats: 0 down, 1 up, 2 pending, 3 maintenance.
    void kumaEvaluate_data()
    {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("heartbeats");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const std::pair<QByteArray, QByteArray> &documents,
                            const char *expected) {
            QTest::newRow(name) << documents.first << documents.second << QString::fromUtf8(expected);
        };
        row("one down", kumaPage({1, 0, 1}), "major: Partial Outage");
        row("all that reported are down", kumaPage({0, -1}), "critical: Major Outage");
        row("pending only", kumaPage({1, 2}), "minor: Degraded Performance");
        row("a monitor in maintenance", kumaPage({1, 3, 2}), "minor: Degraded Performance (maintenance)");
        row("down outweighs maintenance", kumaPage({0, 3, 1}), "major: Partial Outage");
        row("a window under way",
            kumaPage({1}, R"("maintenanceList":[{"title":"Firmware","status":"under-maintenance"}],)"),
            "minor: Firmware [Firmware] (maintenance)");
        row("an ended window", kumaPage({1}, R"("maintenanceList":[{"title":"Firmware","status":"ended"}],)"),
            "none: All Systems Operational");
        row("the incident names the state", kumaPage({1, 0}, R"("incident":{"title":"Router swap","style":"info"},)"),
            "major: Router swap [Router swap]");
        row("a danger banner raises", kumaPage({1, 3}, R"("incident":{"title":"Flood","style":"danger"},)"),
            "major: Flood [Flood]");
        row("no monitors", kumaPage({}), "unknown: The page lists no monitors.");
        row("nothing reported", kumaPage({-1, -1}), "unknown: No monitor on the page has reported yet.");
        QTest::newRow("day buckets: empty days and odd entries pass")
            << kumaPage({1}).first
            << QByteArray(R"({"heartbeatList":{"1":[{"status":0},{"status":1},0,{"status":9}]}})")
            << u"none: All Systems Operational"_qs;
        QTest::newRow("not a page") << QByteArray(R"({"config":{}})") << kumaPage({1}).second << u"unreadable"_qs;
        QTest::newRow("a monitor without id") << QByteArray(R"({"publicGroupList":[{"monitorList":[{"name":"A"}]}]})")
                                              << kumaPage({1}).second << u"unreadable"_qs;
        QTest::newRow("not heartbeats") << kumaPage({1}).first << QByteArray(R"({"heartbeatList":[]})")
                                        << u"unreadable"_qs;
    }

    void kumaEvaluate()
    {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, heartbeats);
        const Decoded<UptimeKumaProvider::Heartbeats> beats = UptimeKumaProvider::decodeHeartbeats(heartbeats);
        QTEST(beats.value ? gradedOr(UptimeKumaProvider::decodePage(page), &UptimeKumaProvider::evaluate,
                                     ProviderKind::UptimeKuma, *beats.value, checkTime())
                          : u"unreadable"_qs,
              "expected");
    }

    void kumaThroughTheServer()
    {
        FeedServer server;
        server.setRoute("/api/status-page/homelab", FakeRoute::json(fixture(u"uptimekuma/page.json"_qs)));
        server.setRoute("/api/status-page/heartbeat/homelab",
                        FakeRoute::json(fixture(u"uptimekuma/heartbeat.json"_qs)));
        UptimeKumaProvider provider{HttpSession()};
        const ServiceStatusResult result = fetched(provider, ProviderKind::UptimeKuma,
                                                   server.httpsUrl(u"/status/homelab"_qs));
        QCOMPARE(graded(result), u"major: Backups are running late [Backups are running late]"_qs);
        QCOMPARE(story(result),
                 (QStringList{u"Backups are running late | - | minor | 2026-11-30T10:02:00Z | 2026-11-30T10:40:00Z | "
                              u"The nightly backup job is still copying; restores may be slow. | -"_qs,
                              u"Switch firmware | in_progress | 2026-11-30T11:30:00Z | 2026-11-30T12:30:00Z | -"_qs}));

        // A page that is gone is not read as a page without monitors.
        QCOMPARE(check(provider, ProviderKind::UptimeKuma, server.httpsUrl(u"/status/gone"_qs)),
                 u"unknown: HTTP 404"_qs);
        QCOMPARE(server.requestCount("/api/status-page/heartbeat/gone"), 0);
    }

    void gatusEvaluate_data()
    {
        gradingColumns();
        const auto row = gradingRow;
        row("the latest result counts",
            R"([{"results":[{"success":true},{"success":false}]},{"results":[{"success":true}]}])",
            "major: Partial Outage");
        row("all fail", R"([{"results":[{"success":false}]},{"results":[{"success":false}]}])",
            "critical: Major Outage");
        row("unchecked endpoints do not count", R"([{"results":[]},{"results":[{"success":true}]}])",
            "none: All Systems Operational");
        row("nothing checked", R"([{"results":[]},{"results":[{"status":200}]}])",
            "unknown: No endpoint on the page has been checked yet.");
        row("no endpoints", "[]", "unknown: The page lists no endpoints.");
        row("not a list", R"({"results":[]})", "unreadable");
        row("an endpoint without results", R"([{"name":"a"}])", "unreadable");
        row("not an object", "[1]", "unreadable");
    }

    void gatusEvaluate()
    {
        QFETCH(QByteArray, document);
        QTEST(gradedOr(GatusProvider::decode(document), &GatusProvider::evaluate, ProviderKind::Gatus), "expected");
    }

    void gatusThroughTheServer()
    {
        FeedServer server;
        server.setRoute("/api/v1/endpoints/statuses", FakeRoute::json(fixture(u"gatus/statuses.json"_qs)));
        GatusProvider provider{HttpSession()};
        QCOMPARE(check(provider, ProviderKind::Gatus, server.httpsUrl(u"/endpoints/core_blog"_qs)),
                 u"major: Partial Outage"_qs);
        QCOMPARE(server.requestCount("/api/v1/endpoints/statuses"), 1);
    }
};

QTEST_GUILESS_MAIN(TestMonitorPages)
#include "tst_monitorpages.moc"
