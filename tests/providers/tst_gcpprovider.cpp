#include "providers/gcpprovider.h"

#include "readertesting.h"

#include <QTest>

using namespace ReaderTesting;

class TestGCPProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { trustFakeServer(); }

    void evaluate_data()
    {
        QTest::addColumn<QByteArray>("feed");
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<QString>("description");
        const QString ok = u"All Systems Operational"_qs;
        QTest::newRow("empty") << QByteArray("[]") << Indicator::None << ok;
        QTest::newRow("only closed") << QByteArray(R"([{"end":"2026-11-20T10:00:00+00:00","status_impact":"SERVICE_OUTAGE"}])")
                                     << Indicator::None << ok;
        QTest::newRow("impact wins over severity")
            << QByteArray(R"([{"external_desc":"Charts","status_impact":"SERVICE_INFORMATION","severity":"high"}])")
            << Indicator::Minor << u"Charts"_qs;
        QTest::newRow("unknown impact falls to severity")
            << QByteArray(R"([{"external_desc":"X","status_impact":"SOMETHING","severity":"medium"}])") << Indicator::Major
            << u"X"_qs;
        QTest::newRow("severity high") << QByteArray(R"([{"external_desc":"X","severity":"high"}])") << Indicator::Critical
                                       << u"X"_qs;
        QTest::newRow("severity in capitals is not known") << QByteArray(R"([{"external_desc":"X","severity":"HIGH"}])")
                                                           << Indicator::Minor << u"X"_qs;
        QTest::newRow("neither member, no headline") << QByteArray(R"([{}])") << Indicator::Minor << u"Degraded Performance"_qs;
        QTest::newRow("empty end is open, product shown")
            << QByteArray(R"([{"end":"","external_desc":"Latency","status_impact":"SERVICE_OUTAGE","affected_products":[{"title":"Cloud Run"},{"title":"GKE"}]}])")
            << Indicator::Critical << u"Latency \u2014 Cloud Run"_qs;
        QTest::newRow("empty product list")
            << QByteArray(R"([{"external_desc":"Latency","affected_products":[]}])") << Indicator::Minor << u"Latency"_qs;
        QTest::newRow("first product without title")
            << QByteArray(R"([{"external_desc":"Latency","affected_products":[{"id":"x"},{"title":"GKE"}]}])") << Indicator::Minor
            << u"Latency"_qs;
        QTest::newRow("first worst wins, count of open")
            << QByteArray(R"([{"external_desc":"a","severity":"low"},{"end":"x","status_impact":"SERVICE_OUTAGE"},)"
                          R"({"external_desc":"Elevated latency for requests","status_impact":"SERVICE_DISRUPTION","affected_products":[{"title":"Cloud Run"}]},)"
                          R"({"external_desc":"c","severity":"medium"}])")
            << Indicator::Major << u"Elevated latency for requests \u2014 Cloud Run (+2 more)"_qs;
    }

    void evaluate()
    {
        QFETCH(QByteArray, feed);
        const GCPProvider::DecodedIncidents decoded = GCPProvider::decode(feed);
        QVERIFY2(decoded.incidents, qPrintable(decoded.error));
        const ServiceStatusResult result = GCPProvider::evaluate(service(ProviderKind::Gcp), *decoded.incidents);
        QTEST(result.indicator, "indicator");
        QTEST(result.description, "description");
    }

    void decodeFailures_data()
    {
        QTest::addColumn<QByteArray>("feed");
        QTest::newRow("object instead of array") << QByteArray("{}");
        QTest::newRow("end not a string") << QByteArray(R"([{"end":null},{"end":5}])");
        QTest::newRow("a closed incident of the wrong type still fails")
            << QByteArray(R"([{"end":"x","severity":1}])");
        QTest::newRow("later product not an object") << QByteArray(R"([{"affected_products":[{"title":"a"},3]}])");
    }

    void decodeFailures()
    {
        QFETCH(QByteArray, feed);
        const GCPProvider::DecodedIncidents decoded = GCPProvider::decode(feed);
        QVERIFY(!decoded.incidents);
        QVERIFY(!decoded.error.isEmpty());
    }

    void throughTheServer()
    {
        FakeServer server;
        const FeedOrigin origin(server);
        server.setRoute("/incidents.json", FakeRoute::json(fixture(u"gcp/incidents.json"_qs)));
        GCPProvider reader{HttpSession()};
        ServiceStatusResult result = QCoro::waitFor(reader.fetch(service(ProviderKind::Gcp)));
        QCOMPARE(result.indicator, Indicator::Major);
        QCOMPARE(result.description, u"Elevated latency for requests \u2014 Cloud Run (+1 more)"_qs);

        server.setRoute("/incidents.json", FakeRoute::json("[{\"end\":", 200));
        result = QCoro::waitFor(reader.fetch(service(ProviderKind::Gcp)));
        QCOMPARE(result.indicator, Indicator::Unknown);
        QVERIFY(!result.description.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestGCPProvider)
#include "tst_gcpprovider.moc"
