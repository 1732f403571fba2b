#include "providers/instatus/instatusprovider.h"
#include "providers/providertable.h"
#include "providers/statusio/statusioprovider.h"
#include "providers/website/websiteprovider.h"

#include "readertesting.h"

#include <QDir>
#include <QRegularExpression>
#include <QTcpServer>

using namespace ReaderTesting;

namespace {

// A listing one line a part: "# id: name" for a heading, "id: name (status) < group".
QStringList listed(const Decoded<QList<PageComponent>> &decoded)
{
    if (!decoded.value)
        return {u"unreadable"_qs};
    QStringList lines;
    for (const PageComponent &part : *decoded.value) {
        if (part.group.value_or(false))
            lines.append(u"# "_qs + part.id + u": "_qs + part.name);
        else
            lines.append(part.id + u": "_qs + part.name + u" ("_qs + part.status + u')'
                         + (part.groupID ? u" < "_qs + *part.groupID : QString()));
    }
    return lines;
}

Service narrowedTo(const QStringList &ids, const QUrl &url = QUrl(u"https://status.example.com"_qs))
{
    Service narrowed = service(ProviderKind::Instatus, url);
    narrowed.components = ids;
    return narrowed;
}

} // namespace

// The providers of pages a vendor hosts for its customers (Instatus, Status.io) and the
// website probe: what each makes of its document, and one check of each through a fake
// server. Statuspage has its own test.
class TestHostedPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void instatusEvaluate_data()
    {
        gradingColumns();
        const auto row = gradingRow;
        row("page up, null lists", R"({"page":{"status":"UP"},"activeIncidents":null,"activeMaintenances":null})",
            "none: All Systems Operational");
        row("page without status", R"({"page":{}})", "none: All Systems Operational");
        row("page word in lower case", R"({"page":{"status":"hasissues"}})", "major: Partial Outage");
        row("page under maintenance", R"({"page":{"status":"UNDERMAINTENANCE"}})",
            "minor: Degraded Performance (maintenance)");
        row("maintenance alone", R"({"page":{"status":"UP"},"activeMaintenances":[{"name":"Upgrade"}]})",
            "minor: Upgrade [Upgrade] (maintenance)");
        row("unnamed incident, named maintenance",
            R"({"page":{},"activeIncidents":[{"impact":"PARTIALOUTAGE"}],"activeMaintenances":[{"name":"Upgrade"}]})",
            "major: Upgrade [Upgrade]");
        row("unknown impact word, not lowered by maintenance",
            R"({"page":{},"activeIncidents":[{"name":"X","impact":"WEIRD"}],"activeMaintenances":[{"name":"M"}]})",
            "major: X [X]");
        row("operational incident raised by maintenance",
            R"({"page":{"status":"UP"},"activeIncidents":[{"name":"X","impact":"OPERATIONAL"}],"activeMaintenances":[{}]})",
            "minor: X [X]");
        row("empty incident name", R"({"page":{},"activeIncidents":[{"name":"","impact":"MINOROUTAGE"}]})",
            "minor: Degraded Performance []");
        row("no page", R"({"activeIncidents":[]})", "unreadable");
        row("impact not a string", R"({"page":{},"activeIncidents":[{"impact":3}]})", "unreadable");
    }

    void instatusEvaluate()
    {
        QFETCH(QByteArray, document);
        QTEST(gradedOr(InstatusProvider::decode(document), &InstatusProvider::evaluate, ProviderKind::Instatus,
                       checkTime()),
              "expected");
    }

    // The summary's story: stages in lower case, impacts in the common words, windows as start
    // plus duration (minutes, as a number or a numeral); resolved incidents, completed
    // maintenance and windows more than a week ahead never appear.
    void instatusStory_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("summary") << fixture(u"instatus/summary-incidents.json"_qs)
                                 << QStringList{
                                        u"Image generation is slow | investigating | minor | "
                                        u"2026-11-30T10:02:00Z | - | - | "
                                        u"https://status.recraft.ai/incident/cm1"_qs,
                                        u"API errors | identified | critical | 2026-11-30T10:20:00Z | - | - | -"_qs,
                                        u"Upscaler queue | monitoring | minor | 2026-11-30T09:20:00Z | - | - | -"_qs,
                                        u"Database upgrade | scheduled | 2026-11-30T12:00:00Z | "
                                        u"2026-11-30T13:00:00Z | https://status.recraft.ai/maintenance/mt1"_qs,
                                        u"Storage migration | in_progress | 2026-11-30T09:00:00Z | "
                                        u"2026-11-30T13:00:00Z | -"_qs};
        QTest::newRow("impacts, odd fields")
            << QByteArray(R"({"page":{},"activeIncidents":[
            {"name":"A","impact":"PARTIALOUTAGE","status":["x"],"started":5,"url":"/incident/a"},
            {"name":"B","impact":"operational","status":"Monitoring","started":"soon"},
            {"name":"C","impact":"NEWWORD"}]})")
            << QStringList{u"A | - | major | - | - | - | -"_qs, u"B | monitoring | none | - | - | - | -"_qs,
                           u"C | - | major | - | - | - | -"_qs};
        QTest::newRow("durations") << QByteArray(R"({"page":{},"activeMaintenances":[
            {"name":"A","status":"INPROGRESS","start":"2026-11-30T10:00:00Z","duration":" 45 "},
            {"name":"B","status":"INPROGRESS","start":"2026-11-30T10:00:00Z","duration":-5},
            {"name":"C","status":"INPROGRESS","start":"2026-11-30T10:00:00Z","duration":1e300},
            {"name":"D","status":"INPROGRESS","duration":30},
            {"name":"E","start":"2026-12-02T10:00:00Z","duration":30}]})")
                                   << QStringList{u"A | in_progress | 2026-11-30T10:00:00Z | "
                                                  u"2026-11-30T10:45:00Z | -"_qs,
                                                  u"B | in_progress | 2026-11-30T10:00:00Z | - | -"_qs,
                                                  u"C | in_progress | 2026-11-30T10:00:00Z | - | -"_qs,
                                                  u"D | in_progress | - | - | -"_qs,
                                                  u"E | scheduled | 2026-12-02T10:00:00Z | "
                                                  u"2026-12-02T10:30:00Z | -"_qs};
    }

    void instatusStory()
    {
        QFETCH(QByteArray, document);
        const Decoded<InstatusProvider::Document> decoded = InstatusProvider::decode(document);
        QVERIFY2(decoded.value, qPrintable(decoded.error));
        QTEST(story(InstatusProvider::evaluate(service(ProviderKind::Instatus), *decoded.value, checkTime())),
              "expected");
    }

    // The state and the story read the same incidents: a resolved one counts for neither, an
    // impact word Instatus adds later is trouble in both, and the state is the worst impact
    // the story tells, named after the first incident it tells.
    void instatusStateAgreesWithStory_data()
    {
        QTest::addColumn<QByteArray>("incidents");
        QTest::addColumn<QString>("expected");
        QTest::newRow("resolved critical before a minor one")
            << QByteArray(R"([{"name":"Old","status":"RESOLVED","impact":"MAJOROUTAGE"},
                             {"name":"Slow","status":"INVESTIGATING","impact":"MINOROUTAGE"}])")
            << u"minor: Slow [Slow]"_qs;
        QTest::newRow("only resolved") << QByteArray(R"([{"name":"Old","status":"resolved","impact":"PARTIALOUTAGE"}])")
                                       << u"none: All Systems Operational"_qs;
        QTest::newRow("unknown impact word")
            << QByteArray(R"([{"name":"New","status":"IDENTIFIED","impact":"SOMEOUTAGE"}])") << u"major: New [New]"_qs;
        QTest::newRow("no impact") << QByteArray(R"([{"name":"Quiet","status":"MONITORING"}])")
                                   << u"none: Quiet [Quiet]"_qs;
        QTest::newRow("worst of several")
            << QByteArray(R"([{"name":"A","impact":"DEGRADEDPERFORMANCE"},{"name":"B","impact":"PARTIALOUTAGE"}])")
            << u"major: A [A]"_qs;
    }

    void instatusStateAgreesWithStory()
    {
        QFETCH(QByteArray, incidents);
        const Decoded<InstatusProvider::Document> decoded = InstatusProvider::decode(
            R"({"page":{"status":"UP"},"activeIncidents":)" + incidents + '}');
        QVERIFY2(decoded.value, qPrintable(decoded.error));
        const ServiceStatusResult result = InstatusProvider::evaluate(service(ProviderKind::Instatus), *decoded.value,
                                                                      checkTime());
        QTEST(graded(result), "expected");
        Indicator worst = Indicator::None;
        for (const Incident &incident : result.incidents)
            worst = std::max(worst, incident.impact.value_or(Indicator::None));
        QCOMPARE(result.indicator, worst);
        QCOMPARE(result.incidentTitle,
                 result.incidents.isEmpty() ? std::nullopt : std::optional(result.incidents.first().title));
    }

    // The component list in each shape a page may give its groups: members nested under
    // "children", or naming their group by id or as an object.
    void instatusComponents_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("groups with children")
            << fixture(u"instatus/components.json"_qs)
            << QStringList{u"cl9api0001: API (OPERATIONAL)"_qs, u"# cl9gen0002: Generation"_qs,
                           u"cl9img0003: Image generation (PARTIALOUTAGE) < cl9gen0002"_qs,
                           u"cl9vid0004: Video generation (UNDERMAINTENANCE) < cl9gen0002"_qs,
                           u"cl9web0005: Website (DEGRADEDPERFORMANCE)"_qs};
        QTest::newRow("members name a listed group, in a bare list")
            << QByteArray(R"([{"id":"a","name":"A","status":"OPERATIONAL","group":"g"},{"id":"g","name":"G"}])")
            << QStringList{u"a: A (OPERATIONAL) < g"_qs, u"# g: G"_qs};
        QTest::newRow("group given as an object, once")
            << QByteArray(R"({"components":[{"id":"a","name":"A","group":{"id":"g","name":"G"}},)"
                          R"({"id":"b","name":"B","group":{"id":"g","name":"G"}},{"id":"g","name":"G"}]})")
            << QStringList{u"# g: G"_qs, u"a: A () < g"_qs, u"b: B () < g"_qs};
        QTest::newRow("a group the list does not hold")
            << QByteArray(R"({"components":[{"id":"a","name":"A","group":"gone"}]})") << QStringList{u"a: A ()"_qs};
        QTest::newRow("no name") << QByteArray(R"({"components":[{"id":"a","status":"OPERATIONAL"}]})")
                                 << QStringList{u"unreadable"_qs};
        QTest::newRow("a member without an id")
            << QByteArray(R"({"components":[{"id":"g","name":"G","children":[{"name":"A"}]}]})")
            << QStringList{u"unreadable"_qs};
        QTest::newRow("the summary instead")
            << fixture(u"instatus/summary-up.json"_qs) << QStringList{u"unreadable"_qs};
    }

    void instatusComponents()
    {
        QFETCH(QByteArray, document);
        QTEST(listed(InstatusProvider::decodeComponents(document)), "expected");
    }

    // A narrowed service is judged by its chosen components alone; a heading is no component.
    void instatusNarrowed_data()
    {
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QString>("expected");
        QTest::newRow("healthy") << QStringList{u"cl9api0001"_qs} << u"none: All Systems Operational"_qs;
        QTest::newRow("the worst of the chosen") << QStringList{u"cl9web0005"_qs, u"cl9img0003"_qs, u"cl9api0001"_qs}
                                                 << u"major: Image generation: Partial Outage"_qs;
        QTest::newRow("under maintenance")
            << QStringList{u"cl9vid0004"_qs} << u"minor: Video generation: Degraded Performance (maintenance)"_qs;
        QTest::newRow("healthy with one gone")
            << QStringList{u"cl9api0001"_qs, u"gone"_qs} << u"unknown: 1 of 2 selected components not found"_qs;
        QTest::newRow("a heading") << QStringList{u"cl9gen0002"_qs} << u"unknown: Selected components not found"_qs;
    }

    void instatusNarrowed()
    {
        QFETCH(QStringList, chosen);
        const Decoded<QList<PageComponent>> decoded = InstatusProvider::decodeComponents(
            fixture(u"instatus/components.json"_qs));
        QVERIFY(decoded.value);
        QTEST(graded(InstatusProvider::evaluateComponents(narrowedTo(chosen), *decoded.value)), "expected");
    }

    // A narrowed check reads the component list and not the summary, whose incidents would
    // otherwise decide; the picker gets the same list through the providers' table.
    void instatusNarrowedThroughTheServer()
    {
        FeedServer server;
        server.setRoute("/summary.json", FakeRoute::json(fixture(u"instatus/summary-incidents.json"_qs)));
        server.setRoute("/v2/components.json", FakeRoute::json(fixture(u"instatus/components.json"_qs)));
        InstatusProvider provider{HttpSession()};
        const ServiceStatusResult result = QCoro::waitFor(
            provider.fetch(narrowedTo({u"cl9api0001"_qs}, server.httpsUrl(u"/history"_qs))));
        QCOMPARE(graded(result), u"none: All Systems Operational"_qs);
        QCOMPARE(server.requestCount("/summary.json"), 0);
        QCOMPARE(server.requestCount("/v2/components.json"), 1);

        const auto list = providerInfo(ProviderKind::Instatus).listComponents;
        QVERIFY(list);
        const Decoded<QList<PageComponent>> listing = QCoro::waitFor(list(server.httpsUrl(), HttpSession()));
        QCOMPARE(listed(listing).size(), 5);
        QCOMPARE(listed(listing).at(1), u"# cl9gen0002: Generation"_qs);

        server.setRoute("/v2/components.json", FakeRoute::text("not found", 404));
        QCOMPARE(graded(QCoro::waitFor(provider.fetch(narrowedTo({u"cl9api0001"_qs}, server.httpsUrl())))),
                 u"unknown: HTTP 404"_qs);
    }

    void instatusThroughTheServer()
    {
        FeedServer server;
        server.setRoute("/summary.json", FakeRoute::json(fixture(u"instatus/summary-incidents.json"_qs)));
        InstatusProvider provider{HttpSession()};
        const ServiceStatusResult result = fetched(provider, ProviderKind::Instatus, server.httpsUrl(u"/history"_qs));
        QCOMPARE(graded(result), u"critical: Image generation is slow [Image generation is slow]"_qs);
        QCOMPARE(result.incidents.size(), 3);
        QCOMPARE(server.requestCount("/summary.json"), 1);
        QCOMPARE(check(provider, ProviderKind::Instatus, QUrl(u"status page"_qs)), u"unknown: Invalid URL"_qs);
    }

    void statusioPageId_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("id");
        QTest::newRow("equals sign, blanks inside the quotes")
            << u"data-pageId=\" \t5b36dc6502d0 \""_qs << u"5b36dc6502d0"_qs;
        QTest::newRow("only the first pageId counts")
            << u"pageId: \"5b36-dc65\" pageId: \"5b36dc6502d0\""_qs << u"none"_qs;
        QTest::newRow("unterminated quote") << u"pageId: \"5b36dc6502d0"_qs << u"none"_qs;
    }

    void statusioPageId()
    {
        QFETCH(QString, html);
        QTEST(StatusIOProvider::pageId(html).value_or(u"none"_qs), "id");
    }

    // A known status code wins over the text; an unknown one falls back to it.
    void statusioIndicator()
    {
        QCOMPARE(StatusIOProvider::indicator(100, u"Service Disruption"_qs), Indicator::None);
        QCOMPARE(StatusIOProvider::indicator(600, u"Security Event"_qs), Indicator::Critical);
        QCOMPARE(StatusIOProvider::indicator(std::nullopt, std::nullopt), Indicator::Unknown);
    }

    // Planned maintenance shows as such; trouble does not, whatever its sentence says.
    void statusioMaintenance_data()
    {
        gradingColumns();
        const auto row = [](const char *name, const char *overall, const char *expected) {
            gradingRow(name, QByteArray(R"({"result":{"status_overall":)") + overall + "}}", expected);
        };
        row("planned maintenance", R"({"status_code":200,"status":"Planned Maintenance"})",
            "minor: Planned Maintenance (maintenance)");
        row("degraded during maintenance", R"({"status_code":300,"status":"Maintenance running long"})",
            "major: Maintenance running long");
        row("no code, a maintenance sentence", R"({"status":"Scheduled maintenance"})",
            "minor: Scheduled maintenance (maintenance)");
        row("no code, an outage during maintenance", R"({"status":"Outage during maintenance"})",
            "critical: Outage during maintenance");
    }

    void statusioMaintenance()
    {
        QFETCH(QByteArray, document);
        QTEST(gradedOr(mapDecoded(StatusIOProvider::decode(document),
                                  [](StatusIOProvider::Document read) { return read.overall; }),
                       &StatusIOProvider::evaluate, ProviderKind::StatusIo),
              "expected");
    }

    void statusioDecode()
    {
        QVERIFY(StatusIOProvider::decode(R"({"result":{"status_overall":{}}})").value);
        const Decoded<StatusIOProvider::Document> none = StatusIOProvider::decode(R"({"result":{"status":[]}})");
        QVERIFY(!none.value);
        QCOMPARE(none.error, u"Unexpected format"_qs);
        // A status code must be a whole number.
        QVERIFY(!StatusIOProvider::decode(R"({"result":{"status_overall":{"status_code":100.5}}})").error.isEmpty());
        QVERIFY(!StatusIOProvider::decode(R"({"result":{"status_overall":{"status_code":"100"}}})").error.isEmpty());
    }

    // Links go to the page's own host, whatever the path of the address the user gave.
    void statusioStory()
    {
        const QUrl page(u"https://status.example.com/en/overview?lang=en"_qs);
        const QString pageId = u"5b36dc6502d06804c08349f7"_qs;
        const Decoded<StatusIOProvider::Document> decoded = StatusIOProvider::decode(
            fixture(u"statusio/status-incident.json"_qs), page, pageId);
        QVERIFY(decoded.value);
        const QString posts = u"https://status.example.com/pages/"_qs;
        QCOMPARE(told(decoded.value->story.incidents),
                 (QStringList{u"Elevated API latency | identified | critical | 2026-11-30T09:12:00Z | "
                              u"2026-11-30T09:40:00Z | A database node is overloaded; we are failing over. | "_qs
                                  + posts + u"incident/5b36dc6502d06804c08349f7/5e7a1c90d2a8b104c3a1f001"_qs,
                              u"Delayed webhooks | - | - | 2026-11-30T08:00:00Z | - | - | "_qs + posts
                                  + u"incident/5b36dc6502d06804c08349f7/5e7a1c90d2a8b104c3a1f010"_qs}));
        QCOMPARE(told(decoded.value->story.maintenances),
                 (QStringList{u"Database upgrade | in_progress | 2026-11-30T09:00:00Z | 2026-11-30T13:00:00Z | "_qs
                                  + posts + u"maintenance/5b36dc6502d06804c08349f7/5e7a1c90d2a8b104c3a1f020"_qs,
                              u"Network maintenance | scheduled | 2099-01-10T02:00:00Z | 2099-01-10T04:00:00Z | "_qs
                                  + posts + u"maintenance/5b36dc6502d06804c08349f7/5e7a1c90d2a8b104c3a1f030"_qs}));
        QCOMPARE(
            StatusIOProvider::decode(fixture(u"statusio/status-incident.json"_qs)).value->story.incidents.value(0).url,
            QUrl());
    }

    // A story that makes no sense is read as far as it goes; the state still stands.
    void statusioStoryLeniency_data()
    {
        QTest::addColumn<QByteArray>("result");
        QTest::addColumn<QStringList>("incidents");
        QTest::addColumn<QStringList>("maintenances");
        QTest::newRow("lists of the wrong type")
            << QByteArray(R"("incidents":{"name":"x"},"maintenance":{"active":"now","upcoming":[3]})") << QStringList()
            << QStringList();
        QTest::newRow("newest message first, fields of the wrong type")
            << QByteArray(R"("incidents":["x",{"_id":"a/b","name":3,"datetime_open":"yesterday","messages":[)"
                          R"({"details":" newer ","state":300,"status":600,"datetime":"2026-11-30T10:00:00Z"},)"
                          R"({"details":"older","state":100,"status":100,"datetime":"2026-11-30T09:00:00Z"}]}])")
            << QStringList{u"- | monitoring | critical | - | 2026-11-30T10:00:00Z | newer | -"_qs} << QStringList();
        QTest::newRow("messages without times: the last listed; unknown codes")
            << QByteArray(R"("incidents":[{"name":"A","messages":[{"details":"first","state":100},)"
                          R"({"details":"second","state":250,"status":"500"}]}])")
            << QStringList{u"A | - | - | - | - | second | -"_qs} << QStringList();
        QTest::newRow("window without times")
            << QByteArray(R"("maintenance":{"upcoming":[{"name":"M","datetime_planned_start":17}]})") << QStringList()
            << QStringList{u"M | scheduled | - | - | -"_qs};
    }

    void statusioStoryLeniency()
    {
        QFETCH(QByteArray, result);
        const QByteArray document = R"({"result":{"status_overall":{"status_code":100},)" + result + "}}";
        const Decoded<StatusIOProvider::Document> decoded = StatusIOProvider::decode(
            document, QUrl(u"https://status.example.com"_qs), u"5b36"_qs);
        QVERIFY2(decoded.value, qPrintable(decoded.error));
        QTEST(told(decoded.value->story.incidents), "incidents");
        QTEST(told(decoded.value->story.maintenances), "maintenances");
    }

    // The page, then the status API for the identifier found in it. The provider may go away
    // while its check waits for the page.
    void statusioThroughTheServer()
    {
        auto provider = std::make_unique<StatusIOProvider>(HttpSession());
        QCOMPARE(StatusIOProvider::apiUrl(provider->apiOrigin(), u"abc"_qs),
                 QUrl(u"https://api.status.io/1.0/status/abc"_qs));
        FeedServer server;
        server.setRoute("/status", FakeRoute::text(fixture(u"statusio/page.html"_qs)));
        server.setRoute("/1.0/status/5b36dc6502d06804c08349f7",
                        FakeRoute::json(fixture(u"statusio/status-incident.json"_qs)));
        QCoro::Task<ServiceStatusResult> checking = provider->fetch(
            service(ProviderKind::StatusIo, server.httpsUrl(u"/status"_qs)));
        provider.reset();
        const ServiceStatusResult result = QCoro::waitFor(checking);
        QCOMPARE(graded(result), u"critical: Partial Service Disruption"_qs);
        // Links go to the page's host; of the maintenance, only what is current is told.
        QCOMPARE(result.incidents.value(0).url.authority(), server.httpsUrl().authority());
        QCOMPARE(result.maintenances.size(), 1);

        // A page that is not UTF-8 is not searched for an identifier.
        server.setRoute("/status", FakeRoute::text("pageId: \"abc\" \xff\xfe"));
        StatusIOProvider again{HttpSession()};
        QCOMPARE(check(again, ProviderKind::StatusIo, server.httpsUrl(u"/status"_qs)),
                 u"unknown: Couldn't find a Status.io page id"_qs);
        QCOMPARE(server.requestCount("/1.0/status/5b36dc6502d06804c08349f7"), 1);
    }

    // With the identifiers lent, a page's HTML is read once a day, or again when the API
    // refuses the identifier it gave; an API that is down keeps it.
    void statusioRemembersPageIds()
    {
        FeedServer server;
        server.setRoute("/status", FakeRoute::text("pageId: \"aaa111\""));
        server.setRoute("/1.0/status/aaa111", FakeRoute::json(fixture(u"statusio/status-disruption.json"_qs)));
        QDateTime now = checkTime();
        const auto pageIds = std::make_shared<StatusIOPageIds>([&] { return now; });
        StatusIOProvider provider(HttpSession(), pageIds);
        const QUrl page = server.httpsUrl(u"/status"_qs);
        const auto checkPage = [&] { return check(provider, ProviderKind::StatusIo, page); };

        QCOMPARE(checkPage(), u"critical: Service Disruption"_qs);
        QCOMPARE(checkPage(), u"critical: Service Disruption"_qs);
        QCOMPARE(server.requestCount("/status"), 1);
        QCOMPARE(server.requestCount("/1.0/status/aaa111"), 2);

        server.setRoute("/1.0/status/aaa111", FakeRoute::json("{}", 503));
        QCOMPARE(checkPage(), u"unknown: HTTP 503"_qs);
        QCOMPARE(server.requestCount("/status"), 1);

        server.setRoute("/status", FakeRoute::text("pageId: \"bbb222\""));
        server.setRoute("/1.0/status/aaa111", FakeRoute::json("{}", 404));
        server.setRoute("/1.0/status/bbb222", FakeRoute::json(fixture(u"statusio/status-incident.json"_qs)));
        QCOMPARE(checkPage(), u"critical: Partial Service Disruption"_qs);
        QCOMPARE(checkPage(), u"critical: Partial Service Disruption"_qs);
        QCOMPARE(server.requestCount("/status"), 2);

        now = now.addDays(1);
        QCOMPARE(checkPage(), u"critical: Partial Service Disruption"_qs);
        QCOMPARE(server.requestCount("/status"), 3);
    }

    // Kept in a file, the identifiers outlive the process; a file that is not ours is none.
    void statusioPageIdsInAFile()
    {
        const QString file = QDir::temp().filePath(
            u"glinter-statusio-%1.json"_qs.arg(QUuid::createUuid().toString(QUuid::Id128)));
        const QUrl page(u"https://status.example.com"_qs);
        StatusIOPageIds(&QDateTime::currentDateTimeUtc, file).remember(page, u"aaa111"_qs);
        QCOMPARE(StatusIOPageIds(&QDateTime::currentDateTimeUtc, file).find(page), std::optional(u"aaa111"_qs));
        StatusIOPageIds(&QDateTime::currentDateTimeUtc, file).forget(page);
        QCOMPARE(StatusIOPageIds(&QDateTime::currentDateTimeUtc, file).find(page), std::nullopt);

        for (const QByteArray &odd :
             {QByteArray("[1,2]"), QByteArray("{\"https://status.example.com\":{\"id\":7}}"),
              QByteArray("{\"https://status.example.com\":{\"id\":\"../x\",\"foundAt\":\""
                         + QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1() + "\"}}")}) {
            QFile written(file);
            QVERIFY(written.open(QIODevice::WriteOnly | QIODevice::Truncate));
            written.write(odd);
            written.close();
            QCOMPARE(StatusIOPageIds(&QDateTime::currentDateTimeUtc, file).find(page), std::nullopt);
        }
        QFile::remove(file);
    }

    // Statuses Qt reports as errors are still answers, graded by status; every answer carries
    // the time it took. Failures to connect read as offline, with the reason.
    void websiteThroughTheServer()
    {
        FeedServer server;
        WebsiteProvider provider{HttpSession()};
        const QRegularExpression answered(u"^(.*) \u00B7 \\d+ ms$"_qs);
        const QList<QPair<int, QString>> codes{{403, u"minor: Restricted \u00B7 HTTP 403"_qs},
                                               {301, u"none: Online \u00B7 HTTP 301"_qs},
                                               {418, u"major: Client error \u00B7 HTTP 418"_qs},
                                               {526, u"critical: Server error \u00B7 HTTP 526"_qs}};
        for (const auto &[code, expected] : codes) {
            server.setRoute("/", FakeRoute::text("<html>no</html>", code));
            QCOMPARE(answered.match(check(provider, ProviderKind::Website, server.httpsUrl())).captured(1), expected);
        }
        QCOMPARE(server.requests().last().headers.value("user-agent"),
                 QByteArray("Mozilla/5.0 (Macintosh) Glinter/1.0"));

        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QUrl refused(u"http://127.0.0.1:%1/"_qs.arg(closed.serverPort()));
        closed.close();
        QCOMPARE(check(provider, ProviderKind::Website, refused), u"critical: Offline \u00B7 Connection refused"_qs);
    }

    // A download mirror is online: the probe reads the head, not the body, so neither a
    // body past the session's limit nor one that would take long to fetch counts; redirects
    // are still followed.
    void websiteReadsTheHeadOnly_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArrayList>("seen");
        QTest::newRow("a large body") << QByteArray("/image.iso") << QByteArrayList{"/image.iso"};
        QTest::newRow("a large body of unannounced length") << QByteArray("/stream") << QByteArrayList{"/stream"};
        QTest::newRow("a redirect to a large body") << QByteArray("/latest") << QByteArrayList{"/latest", "/image.iso"};
    }

    void websiteReadsTheHeadOnly()
    {
        QFETCH(QByteArray, path);
        const qint64 size = qint64(70) * 1024 * 1024;
        FakeServer server;
        server.setRoute("/image.iso", {.streamed = size});
        server.setRoute("/stream", {.streamed = size, .unannounced = true});
        server.setRoute("/latest",
                        {.status = 302, .body = "<a href=\"/image.iso\">moved</a>", .location = "/image.iso"});
        WebsiteProvider provider{HttpSession()};
        const QString result = check(provider, ProviderKind::Website, server.httpUrl(QString::fromLatin1(path)));
        QVERIFY2(result.startsWith(u"none: Online \u00B7 HTTP 200 \u00B7 "_qs), qPrintable(result));
        QByteArrayList seen;
        for (const FakeRequest &request : server.requests())
            seen.append(request.path);
        QTEST(seen, "seen");
        // What the loopback connection buffered before the probe hung up, not the body.
        QVERIFY2(server.streamedBytes() < size / 8, qPrintable(QString::number(server.streamedBytes())));
    }

    // A short answer is read to its end, so that the next probe of the site takes the same
    // connection; a server that announces a short body and never sends it is still online.
    void websiteProbesKeepTheirConnection()
    {
        FakeServer server;
        server.setRoute("/", {.body = "<html>ok</html>", .keepOpen = true});
        server.setRoute("/stingy", {.body = "0123456789", .trickle = std::chrono::hours(1)});
        WebsiteProvider provider{HttpSession()};
        for (int i = 0; i < 3; ++i) {
            const QString result = check(provider, ProviderKind::Website, server.httpUrl());
            QVERIFY2(result.startsWith(u"none: Online \u00B7 HTTP 200 \u00B7 "_qs), qPrintable(result));
        }
        QCOMPARE(server.connectionCount(), 1);

        WebsiteProvider impatient{HttpSession(HttpLimits{.idle = std::chrono::milliseconds(300)})};
        const QString result = check(impatient, ProviderKind::Website, server.httpUrl(u"/stingy"_qs));
        QVERIFY2(result.startsWith(u"none: Online \u00B7 HTTP 200 \u00B7 "_qs), qPrintable(result));
    }
};

QTEST_GUILESS_MAIN(TestHostedPages)
#include "tst_hostedpages.moc"
