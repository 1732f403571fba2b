#include "providers/statusioprovider.h"

#include "readertesting.h"

#include <QTest>

using namespace ReaderTesting;

class TestStatusIOProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { trustFakeServer(); }

    void pageId_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<std::optional<QString>>("id");
        const std::optional<QString> id12(u"5b36dc6502d0"_qs);
        const std::optional<QString> none;
        QTest::newRow("double quotes") << u"var c = {pageId: \"5b36dc6502d0\"};"_qs << id12;
        QTest::newRow("single quotes") << u"pageId: '5b36dc6502d0'"_qs << id12;
        QTest::newRow("equals sign") << u"data-pageId=\"5b36dc6502d0\""_qs << id12;
        QTest::newRow("blanks inside the quotes") << u"pageId: \" \t5b36dc6502d0 \""_qs << id12;
        QTest::newRow("upper-case hex") << u"pageId:'ABCDEF'"_qs << std::optional<QString>(u"ABCDEF"_qs);
        QTest::newRow("mixed quote kinds") << u"pageId: \"abc'"_qs << std::optional<QString>(u"abc"_qs);
        QTest::newRow("only the first pageId counts") << u"pageId: \"5b36-dc65\" pageId: \"5b36dc6502d0\""_qs << none;
        QTest::newRow("no marker") << u"<html>statusio</html>"_qs << none;
        QTest::newRow("marker in other case") << u"pageid: \"abc\""_qs << none;
        QTest::newRow("no quote") << u"pageId: 5b36dc6502d0"_qs << none;
        QTest::newRow("unterminated quote") << u"pageId: \"5b36dc6502d0"_qs << none;
        QTest::newRow("empty value") << u"pageId: \"  \""_qs << none;
        QTest::newRow("marker at the very end") << u"pageId"_qs << none;
    }

    void pageId()
    {
        QFETCH(QString, html);
        QTEST(StatusIOProvider::pageId(html), "id");
    }

    void indicator_data()
    {
        QTest::addColumn<std::optional<int>>("code");
        QTest::addColumn<std::optional<QString>>("status");
        QTest::addColumn<Indicator>("expected");
        const auto text = [](const char *t) { return std::optional<QString>(QString::fromUtf8(t)); };
        QTest::newRow("100") << std::optional<int>(100) << text("Service Disruption") << Indicator::None;
        QTest::newRow("200") << std::optional<int>(200) << std::optional<QString>() << Indicator::Minor;
        QTest::newRow("300") << std::optional<int>(300) << std::optional<QString>() << Indicator::Major;
        QTest::newRow("500") << std::optional<int>(500) << text("Operational") << Indicator::Critical;
        QTest::newRow("600 falls to the text") << std::optional<int>(600) << text("Security Event") << Indicator::Critical;
        QTest::newRow("operational text") << std::optional<int>() << text("All Systems Operational") << Indicator::None;
        QTest::newRow("maintenance text") << std::optional<int>() << text("Planned Maintenance") << Indicator::Minor;
        QTest::newRow("empty text") << std::optional<int>() << text("") << Indicator::Unknown;
        QTest::newRow("nothing") << std::optional<int>() << std::optional<QString>() << Indicator::Unknown;
    }

    void indicator()
    {
        QFETCH(std::optional<int>, code);
        QFETCH(std::optional<QString>, status);
        QTEST(StatusIOProvider::indicator(code, status), "expected");
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<bool>("decodes");
        QTest::addColumn<bool>("hasOverall");
        QTest::newRow("complete") << QByteArray(R"({"result":{"status_overall":{"status":"Operational","status_code":100}}})") << true << true;
        QTest::newRow("no status_overall") << QByteArray(R"({"result":{"status":[]}})") << true << false;
        QTest::newRow("no result") << QByteArray(R"({})") << true << false;
        QTest::newRow("empty status_overall") << QByteArray(R"({"result":{"status_overall":{}}})") << true << true;
        QTest::newRow("fractional code") << QByteArray(R"({"result":{"status_overall":{"status_code":100.5}}})") << false << false;
        QTest::newRow("code as text") << QByteArray(R"({"result":{"status_overall":{"status_code":"100"}}})") << false << false;
        QTest::newRow("result not an object") << QByteArray(R"({"result":[]})") << false << false;
    }

    void decode()
    {
        QFETCH(QByteArray, document);
        const StatusIOProvider::DecodedDocument decoded = StatusIOProvider::decode(document);
        QTEST(decoded.error.isEmpty(), "decodes");
        QTEST(decoded.overall.has_value(), "hasOverall");
    }

    void apiUrlFollowsTheFeedOrigin()
    {
        const StatusIOProvider reader{HttpSession()};
        QCOMPARE(StatusIOProvider::apiUrl(reader.apiOrigin(), u"abc"_qs), QUrl(u"https://api.status.io/1.0/status/abc"_qs));
        FakeServer server;
        const FeedOrigin origin(server);
        QCOMPARE(StatusIOProvider::apiUrl(reader.apiOrigin(), u"abc"_qs), server.httpsUrl(u"/1.0/status/abc"_qs));
    }

    void throughTheServer()
    {
        FakeServer server;
        const FeedOrigin origin(server);
        server.setRoute("/status", FakeRoute::text(fixture(u"statusio/page.html"_qs)));
        server.setRoute("/1.0/status/5b36dc6502d06804c08349f7", FakeRoute::json(fixture(u"statusio/status-disruption.json"_qs)));
        StatusIOProvider reader{HttpSession()};
        const ServiceStatusResult result =
            QCoro::waitFor(reader.fetch(service(ProviderKind::StatusIo, server.httpsUrl(u"/status"_qs))));
        QCOMPARE(result.indicator, Indicator::Critical);
        QCOMPARE(result.description, u"Service Disruption"_qs);
        QCOMPARE(result.incidentTitle, std::nullopt);
    }

    void failures_data()
    {
        QTest::addColumn<FakeRoute>("page");
        QTest::addColumn<FakeRoute>("api");
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("apiRequests");
        const FakeRoute page = FakeRoute::text(fixture(u"statusio/page.html"_qs));
        const FakeRoute good = FakeRoute::json(fixture(u"statusio/status-operational.json"_qs));
        QTest::newRow("page forbidden") << FakeRoute::text("no", 403) << good << u"HTTP 403"_qs << 0;
        QTest::newRow("no page id") << FakeRoute::text("<html></html>") << good << u"Couldn't find a Status.io page id"_qs << 0;
        QTest::newRow("page not UTF-8") << FakeRoute::text("pageId: \"abc\" \xff\xfe") << good
                                        << u"Couldn't find a Status.io page id"_qs << 0;
        QTest::newRow("api missing") << page << FakeRoute::text("", 404) << u"HTTP 404"_qs << 1;
        QTest::newRow("api without overall") << page << FakeRoute::json(R"({"result":{}})") << u"Unexpected format"_qs << 1;
    }

    void failures()
    {
        QFETCH(FakeRoute, page);
        QFETCH(FakeRoute, api);
        FakeServer server;
        const FeedOrigin origin(server);
        server.setRoute("/status", page);
        server.setRoute("/1.0/status/5b36dc6502d06804c08349f7", api);
        StatusIOProvider reader{HttpSession()};
        const ServiceStatusResult result =
            QCoro::waitFor(reader.fetch(service(ProviderKind::StatusIo, server.httpsUrl(u"/status"_qs))));
        QCOMPARE(result.indicator, Indicator::Unknown);
        QTEST(result.description, "description");
        QTEST(server.requestCount("/1.0/status/5b36dc6502d06804c08349f7"), "apiRequests");
    }
};

QTEST_GUILESS_MAIN(TestStatusIOProvider)
#include "tst_statusioprovider.moc"
