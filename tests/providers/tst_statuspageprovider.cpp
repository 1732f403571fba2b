#include "providers/statuspage/maintenancecalendar.h"
#include "providers/statuspage/statuspageprovider.h"

#include "readertesting.h"

using namespace ReaderTesting;

namespace {

QByteArray component(const char *id, const char *name, const char *status)
{
    return QByteArray(R"({"id":")") + id + R"(","name":")" + name + R"(","status":")" + status + R"("})";
}

QByteArray summary(const QList<QByteArray> &components, const QByteArray &incidents = "[]")
{
    return R"({"status":{"indicator":"minor","description":"Page text"},"components":[)" + components.join(',')
           + R"(],"incidents":)" + incidents + "}";
}

QByteArray page(const QByteArray &indicator, const QByteArray &description, const QByteArray &incidents = "[]")
{
    return R"({"status":{"indicator":")" + indicator + R"(","description":")" + description + R"("},"incidents":)"
           + incidents + "}";
}

Service selecting(const QStringList &components, const QUrl &url = QUrl(u"https://status.example.com"_qs))
{
    Service selected = service(ProviderKind::Statuspage, url);
    selected.components = components;
    return selected;
}

} // namespace

class TestStatuspageProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Page-wide when no component is selected; "unreadable" when the document does not decode.
    void evaluate_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<QString>("expected");
        const auto pageWide = [](const char *name, const QByteArray &json, const char *expected) {
            QTest::newRow(name) << json << QStringList() << QString::fromUtf8(expected);
        };
        pageWide("maintenance in capitals", page("MAINTENANCE", "Scheduled"), "minor: Scheduled (maintenance)");
        pageWide("unknown word keeps the page text", page("partial", "Odd"), "unknown: Odd");
        pageWide("empty description gives the label", page("major", ""), "major: Partial Outage");
        pageWide("blank description is kept", page("none", " "), "none:  ");
        pageWide("closed in any case skipped, no status is active",
                 page("minor", "d", R"([{"name":"X","status":"resolved"},{"name":"W","status":"POSTMORTEM"},
                                      {"name":"Y"},{"name":"Z","status":"identified"}])"),
                 "minor: d [Y]");
        pageWide("unnamed active incident ends the walk",
                 page("minor", "d", R"([{"status":"investigating"},{"name":"Z","status":"identified"}])"), "minor: d");
        pageWide("html shell", "<!doctype html><html></html>", "unreadable");
        // The story is read leniently: it never costs the state.
        pageWide("incidents not an array", R"({"status":{"indicator":"minor","description":"x"},"incidents":{}})",
                 "minor: x");
        pageWide("incident of the wrong shape",
                 page("major", "d", R"([3,{"name":["X"],"status":7,"components":"all"},{"name":"Y"}])"), "major: d");

        const QByteArray ab = summary(
            {component("a", "A", "degraded_performance"), component("b", "B", "under_maintenance")});
        QTest::newRow("first of equals wins")
            << ab << QStringList{u"a"_qs, u"b"_qs} << u"minor: A: Degraded Performance"_qs;
        QTest::newRow("maintenance component")
            << ab << QStringList{u"b"_qs} << u"minor: B: Degraded Performance (maintenance)"_qs;
        // Duplicates count once; a status word not understood counts as missing.
        QTest::newRow("missing ones counted")
            << summary({component("a", "A", "operational"), component("b", "B", "exploded")})
            << QStringList{u"a"_qs, u"a"_qs, u"b"_qs, u"x"_qs} << u"unknown: 2 of 3 selected components not found"_qs;
        QTest::newRow("missing ones do not hide an outage")
            << summary({component("a", "Core", "major_outage")}) << QStringList{u"a"_qs, u"x"_qs}
            << u"critical: Core: Major Outage"_qs;
        QTest::newRow("title only from incidents of selected components")
            << summary({component("a", "A", "partial_outage"), component("b", "B", "operational")},
                       R"([{"name":"No components","status":"investigating"},
                           {"name":"Other","status":"investigating","components":[{"id":"b"}]},
                           {"name":"Mine","status":"identified","components":[{"id":"b"},{"id":"a"}]}])")
            << QStringList{u"a"_qs} << u"major: A: Partial Outage [Mine]"_qs;
    }

    void evaluate()
    {
        QFETCH(QByteArray, json);
        QFETCH(QStringList, selected);
        const Decoded<StatuspageProvider::Document> decoded = StatuspageProvider::decode(json);
        QCOMPARE(decoded.error.isEmpty(), decoded.value.has_value());
        QTEST(decoded.value ? graded(StatuspageProvider::evaluate(selecting(selected), *decoded.value, checkTime()))
                            : u"unreadable"_qs,
              "expected");
    }

    // The summary's story for the whole page and for selected components: resolved and
    // post-mortem incidents, completed maintenance and windows more than a week ahead never
    // appear; a healthy page names no incident.
    void summaryStory_data()
    {
        QTest::addColumn<QString>("indicator");
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<QStringList>("expected");
        const QString slow = u"Slow page loads | monitoring | minor | 2026-11-30T09:00:00Z | "
                             u"2026-11-30T11:30:00Z | A fix has been deployed. | https://stspg.io/aaa3"_qs;
        const QString runners = u"Pipelines runner upgrade | in_progress | 2026-11-30T11:00:00Z | "
                                u"2026-11-30T13:00:00Z | https://stspg.io/mmm1"_qs;
        const QString failover = u"Database failover test | in_progress | 2026-11-30T08:00:00Z | "
                                 u"2026-11-30T10:00:00Z | https://stspg.io/mmm2"_qs;
        const QString network = u"Network maintenance | scheduled | 2026-12-05T02:00:00Z | "
                                u"2026-12-05T04:00:00Z | https://stspg.io/mmm3"_qs;
        QTest::newRow("page in trouble") << u"minor"_qs << QStringList()
                                         << QStringList{slow, runners, failover, network};
        QTest::newRow("healthy page") << u"none"_qs << QStringList() << QStringList{runners, failover, network};
        QTest::newRow("website") << u"none"_qs << QStringList{u"c1"_qs} << QStringList{slow, network};
    }

    void summaryStory()
    {
        QFETCH(QString, indicator);
        QFETCH(QStringList, selected);
        Decoded<StatuspageProvider::Document> decoded = StatuspageProvider::decode(
            fixture(u"statuspage/summary-story.json"_qs));
        QVERIFY(decoded.value);
        decoded.value->indicator = indicator;
        QTEST(story(StatuspageProvider::evaluate(selecting(selected), *decoded.value, checkTime())), "expected");
    }

    // Story documents as the page-wide check reads them after the status document (given as
    // "major"). Times in the page's zone come out in UTC; what is missing or of the wrong
    // type stays empty; only web addresses are links.
    void storyDocument_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("title");
        QTest::newRow("unresolved incidents")
            << fixture(u"statuspage/incidents-unresolved.json"_qs)
            << QStringList{u"Incident with Actions | identified | major | 2026-11-30T10:55:00Z | "
                           u"2026-11-30T11:41:07Z | We have identified the cause of delayed Actions runs and "
                           u"are rolling out a fix. | https://stspg.io/9v2k3xq1"_qs,
                           u"Disruption with some GitHub services | investigating | none | 2026-11-30T10:12:44Z "
                           u"| 2026-11-30T10:12:44Z | - | -"_qs}
            << u"Incident with Actions"_qs;
        QTest::newRow("odd fields") << QByteArray(R"({"incidents":[{"name":"N","status":"Identified",
            "impact":"maintenance","started_at":5,"created_at":"yesterday","updated_at":"2026-11-30T12:00:00",
            "shortlink":"javascript:alert","incident_updates":[7,{"body":["x"]},{"body":"older"}]},
            {"status":"investigating","shortlink":"stspg.io/x"}]})")
                                    << QStringList{u"N | identified | - | - | 2026-11-30T12:00:00Z | - | -"_qs,
                                                   u"- | investigating | - | - | - | - | -"_qs}
                                    << u"N"_qs;
        // Which windows are told is tst_feedstory's; here, how the page's words and dates read.
        QTest::newRow("windows") << QByteArray(R"({"scheduled_maintenances":[
            {"name":"B","status":"in_progress","scheduled_for":"2026-11-01T00:00:00Z","scheduled_until":"2026-11-02"},
            {"name":"D","scheduled_for":"2026-12-07T11:59:00Z"},
            {"name":"F","status":"COMPLETED","scheduled_for":"2026-11-30T11:00:00Z"}]})")
                                 << QStringList{u"B | in_progress | 2026-11-01T00:00:00Z | "
                                                u"2026-11-02T00:00:00Z | -"_qs,
                                                u"D | scheduled | 2026-12-07T11:59:00Z | - | -"_qs}
                                 << QString();
        QTest::newRow("not a document") << QByteArray("<html>") << QStringList() << QString();
    }

    void storyDocument()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, title);
        const StatuspageProvider::Document document{u"major"_qs, u"d"_qs, std::nullopt,
                                                    StatuspageProvider::decodeStory(json)};
        const ServiceStatusResult result = StatuspageProvider::evaluate(selecting({}), document, checkTime());
        QTEST(story(result), "expected");
        QCOMPARE(result.incidentTitle.value_or(QString()), title);
    }

    // A healthy page costs its status document alone; trouble adds the unresolved incidents;
    // at most hourly the summary replaces the status document, bringing the state, the
    // incidents and the calendar at once. A story that cannot be read costs nothing but the
    // story, and a summary that cannot be read leaves the state to the status document.
    void requestBudget()
    {
        FeedServer server;
        // As the page serves them: the state alone.
        const QByteArray healthy = R"({"status":{"indicator":"none","description":"All good"}})";
        const QByteArray trouble = R"({"status":{"indicator":"minor","description":"Some trouble"}})";
        server.setRoute("/api/v2/summary.json", FakeRoute::json(fixture(u"statuspage/summary-story.json"_qs)));
        server.setRoute("/api/v2/incidents/unresolved.json",
                        FakeRoute::json(fixture(u"statuspage/incidents-unresolved.json"_qs)));
        QDateTime now = checkTime();
        const auto calendar = std::make_shared<MaintenanceCalendar>([&now] { return now; });
        StatuspageProvider provider(HttpSession(), calendar);
        const Service checked = selecting({}, server.httpsUrl());
        const auto checkAt = [&](int minutes, const QByteArray &state) {
            now = checkTime().addSecs(qint64(minutes) * 60);
            server.setRoute("/api/v2/status.json", FakeRoute::json(state));
            server.clearRequests();
            const ServiceStatusResult result = QCoro::waitFor(provider.fetch(checked));
            QStringList line{graded(result), QString::number(result.maintenances.size())};
            for (const FakeRequest &request : server.requests())
                line.append(QString::fromUtf8(request.path).remove(u"/api/v2/"_qs));
            return line.join(u" · "_qs);
        };
        QCOMPARE(checkAt(0, healthy), u"minor: Minor Service Outage [Slow page loads] · 3 · summary.json"_qs);
        QCOMPARE(checkAt(10, healthy), u"none: All good · 3 · status.json"_qs);
        QCOMPARE(checkAt(20, trouble),
                 u"minor: Some trouble [Incident with Actions] · 3 · status.json · incidents/unresolved.json"_qs);
        QCOMPARE(checkAt(60, trouble), u"minor: Minor Service Outage [Slow page loads] · 3 · summary.json"_qs);
        QCOMPARE(checkAt(70, healthy), u"none: All good · 3 · status.json"_qs);

        server.setRoute("/api/v2/incidents/unresolved.json", FakeRoute::json("{}", 503));
        QCOMPARE(checkAt(80, trouble), u"minor: Some trouble · 3 · status.json · incidents/unresolved.json"_qs);
        // A calendar that cannot be read keeps the windows last read, and is not asked again at once.
        server.setRoute("/api/v2/summary.json", FakeRoute::text("<html>"));
        QCOMPARE(checkAt(120, healthy), u"none: All good · 3 · summary.json · status.json"_qs);
        QCOMPARE(checkAt(130, healthy), u"none: All good · 3 · status.json"_qs);
    }

    // Without a calendar, the summary alone for every page-wide check, for selected components
    // and for the picker; the status document when the summary is refused.
    void throughTheServer()
    {
        FeedServer server;
        server.setRoute("/api/v2/status.json", FakeRoute::json(page("major", "Partial System Outage")));
        server.setRoute("/api/v2/summary.json", FakeRoute::json(fixture(u"statuspage/summary.json"_qs)));
        StatuspageProvider provider{HttpSession()};
        // Over HTTPS, without the page's path, query or fragment.
        const QUrl address(u"http://127.0.0.1:%1/history?page=2#recent"_qs.arg(server.httpsUrl().port()));
        QCOMPARE(check(provider, ProviderKind::Statuspage, address), u"major: Partial System Outage [API errors]"_qs);
        QCOMPARE(server.requests().first().target, QByteArray("/api/v2/summary.json"));
        QVERIFY(server.requests().first().tls);

        const Service selected = selecting({u"c1"_qs, u"g1"_qs}, server.httpsUrl());
        const ServiceStatusResult result = QCoro::waitFor(provider.fetch(selected));
        QCOMPARE(graded(result), u"major: API: Partial Outage [API errors]"_qs);

        const Decoded<QList<StatuspageProvider::Component>> listing = QCoro::waitFor(
            StatuspageProvider::fetchComponents(server.httpsUrl(u"/any/page"_qs)));
        QVERIFY(listing.value);
        QCOMPARE(listing.value->size(), 3);
        QCOMPARE(listing.value->at(1).group, std::optional<bool>(true));
        QVERIFY(!listing.value->at(1).groupID);
        QCOMPARE(listing.value->at(0).groupID, std::optional<QString>(u"g1"_qs));
        QCOMPARE(server.requestCount("/api/v2/summary.json"), 3);
        QCOMPARE(server.requestCount("/api/v2/status.json"), 0);

        server.setRoute("/api/v2/status.json", FakeRoute::json("{}", 404));
        server.setRoute("/api/v2/summary.json", FakeRoute::json("{}", 500));
        QCOMPARE(check(provider, ProviderKind::Statuspage, server.httpsUrl()), u"unknown: HTTP 404"_qs);
        QCOMPARE(QCoro::waitFor(StatuspageProvider::fetchComponents(server.httpsUrl())).error, u"HTTP 500"_qs);
        server.clearRequests();
        for (const QString &invalid : {u"status page"_qs, u"file:///etc/hosts"_qs, u"ftp://127.0.0.1/"_qs})
            QCOMPARE(check(provider, ProviderKind::Statuspage, QUrl(invalid)), u"unknown: Invalid URL"_qs);
        QVERIFY(server.requests().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStatuspageProvider)
#include "tst_statuspageprovider.moc"
