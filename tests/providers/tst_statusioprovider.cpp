#include "providers/statusioprovider.h"

#include "readertesting.h"

using namespace ReaderTesting;

class TestStatusIOProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageId_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("id");
        QTest::newRow("double quotes") << u"var c = {pageId: \"5b36dc6502d0\"};"_qs << u"5b36dc6502d0"_qs;
        QTest::newRow("equals sign, blanks inside the quotes") << u"data-pageId=\" \t5b36dc6502d0 \""_qs << u"5b36dc6502d0"_qs;
        QTest::newRow("upper-case hex, mixed quote kinds") << u"pageId:\"ABCDEF'"_qs << u"ABCDEF"_qs;
        QTest::newRow("only the first pageId counts") << u"pageId: \"5b36-dc65\" pageId: \"5b36dc6502d0\""_qs << u"none"_qs;
        QTest::newRow("marker in other case") << u"pageid: \"abc\""_qs << u"none"_qs;
        QTest::newRow("unterminated quote") << u"pageId: \"5b36dc6502d0"_qs << u"none"_qs;
        QTest::newRow("empty value") << u"pageId: \"  \""_qs << u"none"_qs;
    }

    void pageId()
    {
        QFETCH(QString, html);
        QTEST(StatusIOProvider::pageId(html).value_or(u"none"_qs), "id");
    }

    void indicator_data()
    {
        QTest::addColumn<std::optional<int>>("code");
        QTest::addColumn<std::optional<QString>>("status");
        QTest::addColumn<QString>("expected");
        const auto text = [](const char *t) { return std::optional<QString>(QString::fromUtf8(t)); };
        const std::optional<int> noCode;
        QTest::newRow("100 wins over the text") << std::optional<int>(100) << text("Service Disruption") << u"none"_qs;
        QTest::newRow("500 wins over the text") << std::optional<int>(500) << text("Operational") << u"critical"_qs;
        QTest::newRow("600 falls to the text") << std::optional<int>(600) << text("Security Event") << u"critical"_qs;
        QTest::newRow("nothing") << noCode << std::optional<QString>() << u"unknown"_qs;
    }

    void indicator()
    {
        QFETCH(std::optional<int>, code);
        QFETCH(std::optional<QString>, status);
        QTEST(indicatorName(StatusIOProvider::indicator(code, status)), "expected");
    }

    void decode()
    {
        QVERIFY(StatusIOProvider::decode(R"({"result":{"status_overall":{}}})").overall);
        const StatusIOProvider::DecodedDocument none = StatusIOProvider::decode(R"({"result":{"status":[]}})");
        QVERIFY(!none.overall && none.error.isEmpty());
        // A status code must be a whole number.
        QVERIFY(!StatusIOProvider::decode(R"({"result":{"status_overall":{"status_code":100.5}}})").error.isEmpty());
        QVERIFY(!StatusIOProvider::decode(R"({"result":{"status_overall":{"status_code":"100"}}})").error.isEmpty());
    }

    // The page, then the status API for the identifier found in it.
    void throughTheServer_data()
    {
        QTest::addColumn<FakeRoute>("page");
        QTest::addColumn<FakeRoute>("api");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("apiRequests");
        const FakeRoute page = FakeRoute::text(fixture(u"statusio/page.html"_qs));
        const FakeRoute good = FakeRoute::json(fixture(u"statusio/status-disruption.json"_qs));
        QTest::newRow("read") << page << good << u"critical: Service Disruption"_qs << 1;
        QTest::newRow("page not UTF-8") << FakeRoute::text("pageId: \"abc\" \xff\xfe") << good
                                        << u"unknown: Couldn't find a Status.io page id"_qs << 0;
        QTest::newRow("api without overall") << page << FakeRoute::json(R"({"result":{}})") << u"unknown: Unexpected format"_qs << 1;
    }

    void throughTheServer()
    {
        QFETCH(FakeRoute, page);
        QFETCH(FakeRoute, api);
        auto reader = std::make_unique<StatusIOProvider>(HttpSession());
        QCOMPARE(StatusIOProvider::apiUrl(reader->apiOrigin(), u"abc"_qs), QUrl(u"https://api.status.io/1.0/status/abc"_qs));
        FeedServer server;
        server.setRoute("/status", page);
        server.setRoute("/1.0/status/5b36dc6502d06804c08349f7", api);
        // The reader may go away while its check waits for the page.
        QCoro::Task<ServiceStatusResult> checking = reader->fetch(service(ProviderKind::StatusIo, server.httpsUrl(u"/status"_qs)));
        reader.reset();
        QTEST(graded(QCoro::waitFor(checking)), "expected");
        QTEST(server.requestCount("/1.0/status/5b36dc6502d06804c08349f7"), "apiRequests");
    }
};

QTEST_GUILESS_MAIN(TestStatusIOProvider)
#include "tst_statusioprovider.moc"
