#include "providers/gcpprovider.h"

#include "readertesting.h"

using namespace ReaderTesting;

class TestGCPProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "unreadable" when the feed does not decode.
    void evaluate_data()
    {
        QTest::addColumn<QByteArray>("feed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("only closed") << QByteArray(R"([{"end":"2026-11-20T10:00:00+00:00","status_impact":"SERVICE_OUTAGE"}])")
                                     << u"none: All Systems Operational"_qs;
        QTest::newRow("unknown impact falls to severity")
            << QByteArray(R"([{"external_desc":"X","status_impact":"SOMETHING","severity":"medium"}])") << u"major: X"_qs;
        QTest::newRow("neither member, no headline") << QByteArray(R"([{}])") << u"minor: Degraded Performance"_qs;
        QTest::newRow("first product without title")
            << QByteArray(R"([{"external_desc":"Latency","affected_products":[{"id":"x"},{"title":"GKE"}]}])") << u"minor: Latency"_qs;
        QTest::newRow("object instead of array") << QByteArray("{}") << u"unreadable"_qs;
        QTest::newRow("a closed incident of the wrong type still fails") << QByteArray(R"([{"end":"x","severity":1}])")
                                                                         << u"unreadable"_qs;
        QTest::newRow("later product not an object") << QByteArray(R"([{"affected_products":[{"title":"a"},3]}])")
                                                     << u"unreadable"_qs;
    }

    void evaluate()
    {
        QFETCH(QByteArray, feed);
        const GCPProvider::DecodedIncidents decoded = GCPProvider::decode(feed);
        QCOMPARE(decoded.error.isEmpty(), decoded.incidents.has_value());
        QTEST(decoded.incidents ? graded(GCPProvider::evaluate(service(ProviderKind::Gcp), *decoded.incidents))
                                : u"unreadable"_qs,
              "expected");
    }

    void throughTheServer()
    {
        FeedServer server;
        server.setRoute("/incidents.json", FakeRoute::json(fixture(u"gcp/incidents.json"_qs)));
        GCPProvider reader{HttpSession()};
        QCOMPARE(check(reader, ProviderKind::Gcp), u"major: Elevated latency for requests \u2014 Cloud Run (+1 more)"_qs);
        server.setRoute("/incidents.json", FakeRoute::json("[{\"end\":"));
        QVERIFY(check(reader, ProviderKind::Gcp).startsWith(u"unknown: The data couldn't be read"_qs));
    }
};

QTEST_GUILESS_MAIN(TestGCPProvider)
#include "tst_gcpprovider.moc"
