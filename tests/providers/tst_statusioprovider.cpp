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

    // A known status code wins over the text; an unknown one falls back to it.
    void indicator()
    {
        QCOMPARE(StatusIOProvider::indicator(100, u"Service Disruption"_qs), Indicator::None);
        QCOMPARE(StatusIOProvider::indicator(500, u"Operational"_qs), Indicator::Critical);
        QCOMPARE(StatusIOProvider::indicator(600, u"Security Event"_qs), Indicator::Critical);
        QCOMPARE(StatusIOProvider::indicator(std::nullopt, std::nullopt), Indicator::Unknown);
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

    // The page, then the status API for the identifier found in it. The reader may go away
    // while its check waits for the page.
    void throughTheServer()
    {
        auto reader = std::make_unique<StatusIOProvider>(HttpSession());
        QCOMPARE(StatusIOProvider::apiUrl(reader->apiOrigin(), u"abc"_qs), QUrl(u"https://api.status.io/1.0/status/abc"_qs));
        FeedServer server;
        server.setRoute("/status", FakeRoute::text(fixture(u"statusio/page.html"_qs)));
        server.setRoute("/1.0/status/5b36dc6502d06804c08349f7", FakeRoute::json(fixture(u"statusio/status-disruption.json"_qs)));
        QCoro::Task<ServiceStatusResult> checking = reader->fetch(service(ProviderKind::StatusIo, server.httpsUrl(u"/status"_qs)));
        reader.reset();
        QCOMPARE(graded(QCoro::waitFor(checking)), u"critical: Service Disruption"_qs);

        // A page that is not UTF-8 is not searched for an identifier.
        server.setRoute("/status", FakeRoute::text("pageId: \"abc\" \xff\xfe"));
        StatusIOProvider again{HttpSession()};
        QCOMPARE(check(again, ProviderKind::StatusIo, server.httpsUrl(u"/status"_qs)),
                 u"unknown: Couldn't find a Status.io page id"_qs);
        QCOMPARE(server.requestCount("/1.0/status/5b36dc6502d06804c08349f7"), 1);
    }
};

QTEST_GUILESS_MAIN(TestStatusIOProvider)
#include "tst_statusioprovider.moc"
