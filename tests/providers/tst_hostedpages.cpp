#include "providers/instatusprovider.h"
#include "providers/statusioprovider.h"
#include "providers/websiteprovider.h"

#include "readertesting.h"

#include <QRegularExpression>
#include <QTcpServer>

using namespace ReaderTesting;

// The readers of pages a vendor hosts for its customers (Instatus, Status.io) and the
// website probe: what each makes of its document, and one check of each through a fake
// server. Statuspage has its own test.
class TestHostedPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "unreadable" when the document does not decode.
    void instatusEvaluate_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("expected");
        QTest::newRow("page up, null lists")
            << QByteArray(R"({"page":{"status":"UP"},"activeIncidents":null,"activeMaintenances":null})")
            << u"none: All Systems Operational"_qs;
        QTest::newRow("page without status") << QByteArray(R"({"page":{}})") << u"none: All Systems Operational"_qs;
        QTest::newRow("page word in lower case")
            << QByteArray(R"({"page":{"status":"hasissues"}})") << u"major: Partial Outage"_qs;
        QTest::newRow("page under maintenance") << QByteArray(R"({"page":{"status":"UNDERMAINTENANCE"}})")
                                                << u"minor: Degraded Performance (maintenance)"_qs;
        QTest::newRow("maintenance alone")
            << QByteArray(R"({"page":{"status":"UP"},"activeMaintenances":[{"name":"Upgrade"}]})")
            << u"minor: Upgrade [Upgrade] (maintenance)"_qs;
        QTest::newRow("unnamed incident, named maintenance") << QByteArray(
            R"({"page":{},"activeIncidents":[{"impact":"PARTIALOUTAGE"}],"activeMaintenances":[{"name":"Upgrade"}]})")
                                                             << u"major: Upgrade [Upgrade]"_qs;
        QTest::newRow("unknown impact word, not lowered by maintenance") << QByteArray(
            R"({"page":{},"activeIncidents":[{"name":"X","impact":"WEIRD"}],"activeMaintenances":[{"name":"M"}]})")
                                                                         << u"major: X [X]"_qs;
        QTest::newRow("operational incident raised by maintenance") << QByteArray(
            R"({"page":{"status":"UP"},"activeIncidents":[{"name":"X","impact":"OPERATIONAL"}],"activeMaintenances":[{}]})")
                                                                    << u"minor: X [X]"_qs;
        QTest::newRow("empty incident name")
            << QByteArray(R"({"page":{},"activeIncidents":[{"name":"","impact":"MINOROUTAGE"}]})")
            << u"minor: Degraded Performance []"_qs;
        QTest::newRow("no page") << QByteArray(R"({"activeIncidents":[]})") << u"unreadable"_qs;
        QTest::newRow("impact not a string")
            << QByteArray(R"({"page":{},"activeIncidents":[{"impact":3}]})") << u"unreadable"_qs;
    }

    void instatusEvaluate()
    {
        QFETCH(QByteArray, document);
        const InstatusProvider::DecodedDocument decoded = InstatusProvider::decode(document);
        QCOMPARE(decoded.error.isEmpty(), decoded.document.has_value());
        QTEST(decoded.document
                  ? graded(InstatusProvider::evaluate(service(ProviderKind::Instatus), *decoded.document, checkTime()))
                  : u"unreadable"_qs,
              "expected");
    }

    // The summary's story: stages in lower case, impacts in the common words, windows as start
    // plus duration (minutes, as a number or a numeral); resolved incidents, completed
    // maintenance and windows more than a week ahead never appear.
    void instatusStory_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("summary")
            << fixture(u"instatus/summary-incidents.json"_qs)
            << QStringList{u"Image generation is slow | investigating | minor | "
                           u"2026-11-30T10:02:00.000Z | - | - | "
                           u"https://status.recraft.ai/incident/cm1"_qs,
                           u"API errors | identified | critical | 2026-11-30T10:20:00.000Z | - | - | -"_qs,
                           u"Upscaler queue | monitoring | minor | 2026-11-30T09:20:00.000Z | - | - | -"_qs,
                           u"Database upgrade | scheduled | 2026-11-30T12:00:00.000Z | "
                           u"2026-11-30T13:00:00.000Z | https://status.recraft.ai/maintenance/mt1"_qs,
                           u"Storage migration | in_progress | 2026-11-30T09:00:00.000Z | "
                           u"2026-11-30T13:00:00.000Z | -"_qs};
        QTest::newRow("impacts, odd fields")
            << QByteArray(R"({"page":{},"activeIncidents":[
            {"name":"A","impact":"PARTIALOUTAGE","status":["x"],"started":5,"url":"/incident/a"},
            {"name":"B","impact":"operational","status":"Monitoring","started":"soon"},
            {"name":"C","impact":"NEWWORD"}]})")
            << QStringList{u"A | - | major | - | - | - | -"_qs, u"B | monitoring | none | - | - | - | -"_qs,
                           u"C | - | - | - | - | - | -"_qs};
        QTest::newRow("durations") << QByteArray(R"({"page":{},"activeMaintenances":[
            {"name":"A","status":"INPROGRESS","start":"2026-11-30T10:00:00Z","duration":" 45 "},
            {"name":"B","status":"INPROGRESS","start":"2026-11-30T10:00:00Z","duration":-5},
            {"name":"C","status":"INPROGRESS","start":"2026-11-30T10:00:00Z","duration":1e300},
            {"name":"D","status":"INPROGRESS","duration":30},
            {"name":"E","start":"2026-12-02T10:00:00Z","duration":30}]})")
                                   << QStringList{u"A | in_progress | 2026-11-30T10:00:00.000Z | "
                                                  u"2026-11-30T10:45:00.000Z | -"_qs,
                                                  u"B | in_progress | 2026-11-30T10:00:00.000Z | - | -"_qs,
                                                  u"C | in_progress | 2026-11-30T10:00:00.000Z | - | -"_qs,
                                                  u"D | in_progress | - | - | -"_qs,
                                                  u"E | scheduled | 2026-12-02T10:00:00.000Z | "
                                                  u"2026-12-02T10:30:00.000Z | -"_qs};
    }

    void instatusStory()
    {
        QFETCH(QByteArray, document);
        const InstatusProvider::DecodedDocument decoded = InstatusProvider::decode(document);
        QVERIFY2(decoded.document, qPrintable(decoded.error));
        QTEST(story(InstatusProvider::evaluate(service(ProviderKind::Instatus), *decoded.document, checkTime())),
              "expected");
    }

    void instatusThroughTheServer()
    {
        FeedServer server;
        server.setRoute("/summary.json", FakeRoute::json(fixture(u"instatus/summary-incidents.json"_qs)));
        InstatusProvider reader{HttpSession()};
        const ServiceStatusResult result = QCoro::waitFor(
            reader.fetch(service(ProviderKind::Instatus, server.httpsUrl(u"/history"_qs))));
        QCOMPARE(graded(result), u"critical: Image generation is slow [Image generation is slow]"_qs);
        QCOMPARE(result.incidents.size(), 3);
        QCOMPARE(server.requestCount("/summary.json"), 1);
        QCOMPARE(check(reader, ProviderKind::Instatus, QUrl(u"status page"_qs)), u"unknown: Invalid URL"_qs);
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

    void statusioDecode()
    {
        QVERIFY(StatusIOProvider::decode(R"({"result":{"status_overall":{}}})").overall);
        const StatusIOProvider::DecodedDocument none = StatusIOProvider::decode(R"({"result":{"status":[]}})");
        QVERIFY(!none.overall && none.error.isEmpty());
        // A status code must be a whole number.
        QVERIFY(!StatusIOProvider::decode(R"({"result":{"status_overall":{"status_code":100.5}}})").error.isEmpty());
        QVERIFY(!StatusIOProvider::decode(R"({"result":{"status_overall":{"status_code":"100"}}})").error.isEmpty());
    }

    // The page, then the status API for the identifier found in it. The reader may go away
    // while its check waits for the page.
    void statusioThroughTheServer()
    {
        auto reader = std::make_unique<StatusIOProvider>(HttpSession());
        QCOMPARE(StatusIOProvider::apiUrl(reader->apiOrigin(), u"abc"_qs),
                 QUrl(u"https://api.status.io/1.0/status/abc"_qs));
        FeedServer server;
        server.setRoute("/status", FakeRoute::text(fixture(u"statusio/page.html"_qs)));
        server.setRoute("/1.0/status/5b36dc6502d06804c08349f7",
                        FakeRoute::json(fixture(u"statusio/status-disruption.json"_qs)));
        QCoro::Task<ServiceStatusResult> checking = reader->fetch(
            service(ProviderKind::StatusIo, server.httpsUrl(u"/status"_qs)));
        reader.reset();
        QCOMPARE(graded(QCoro::waitFor(checking)), u"critical: Service Disruption"_qs);

        // A page that is not UTF-8 is not searched for an identifier.
        server.setRoute("/status", FakeRoute::text("pageId: \"abc\" \xff\xfe"));
        StatusIOProvider again{HttpSession()};
        QCOMPARE(check(again, ProviderKind::StatusIo, server.httpsUrl(u"/status"_qs)),
                 u"unknown: Couldn't find a Status.io page id"_qs);
        QCOMPARE(server.requestCount("/1.0/status/5b36dc6502d06804c08349f7"), 1);
    }

    // Statuses Qt reports as errors are still answers, graded by status; every answer carries
    // the time it took. Failures to connect read as offline, with the reason.
    void websiteThroughTheServer()
    {
        FeedServer server;
        WebsiteProvider reader{HttpSession()};
        const QRegularExpression answered(u"^(.*) \u00B7 \\d+ ms$"_qs);
        const QList<QPair<int, QString>> codes{{403, u"minor: Restricted \u00B7 HTTP 403"_qs},
                                               {301, u"none: Online \u00B7 HTTP 301"_qs},
                                               {418, u"major: Client error \u00B7 HTTP 418"_qs},
                                               {526, u"critical: Server error \u00B7 HTTP 526"_qs}};
        for (const auto &[code, expected] : codes) {
            server.setRoute("/", FakeRoute::text("<html>no</html>", code));
            QCOMPARE(answered.match(check(reader, ProviderKind::Website, server.httpsUrl())).captured(1), expected);
        }
        QCOMPARE(server.requests().last().headers.value("user-agent"),
                 QByteArray("Mozilla/5.0 (Macintosh) Glinter/1.0"));

        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QUrl refused(u"http://127.0.0.1:%1/"_qs.arg(closed.serverPort()));
        closed.close();
        QCOMPARE(check(reader, ProviderKind::Website, refused), u"critical: Offline \u00B7 Connection refused"_qs);
    }
};

QTEST_GUILESS_MAIN(TestHostedPages)
#include "tst_hostedpages.moc"
