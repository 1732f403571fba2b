#include "providers/instatusprovider.h"

#include "readertesting.h"

#include <QTest>

using namespace ReaderTesting;

class TestInstatusProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { trustFakeServer(); }

    void evaluate_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<QString>("description");
        QTest::addColumn<std::optional<QString>>("title");
        QTest::addColumn<bool>("maintenance");

        const std::optional<QString> none;
        QTest::newRow("page up") << QByteArray(R"({"page":{"status":"UP"}})") << Indicator::None
                                 << "All Systems Operational" << none << false;
        QTest::newRow("page word in lower case") << QByteArray(R"({"page":{"status":"hasissues"}})")
                                                 << Indicator::Major << "Partial Outage" << none << false;
        QTest::newRow("page under maintenance") << QByteArray(R"({"page":{"status":"UNDERMAINTENANCE"}})")
                                                << Indicator::Minor << "Degraded Performance" << none << true;
        QTest::newRow("page without status") << QByteArray(R"({"page":{}})") << Indicator::None
                                             << "All Systems Operational" << none << false;
        QTest::newRow("worst impact, first name")
            << QByteArray(R"({"page":{"status":"HASISSUES"},"activeIncidents":[{"name":"Slow","impact":"MINOROUTAGE"},)"
                          R"({"name":"Down","impact":"majoroutage"}]})")
            << Indicator::Critical << "Slow" << std::optional<QString>(u"Slow"_qs) << false;
        QTest::newRow("maintenance alone") << QByteArray(R"({"page":{"status":"UP"},"activeMaintenances":[{"name":"Upgrade"}]})")
                                           << Indicator::Minor << "Upgrade" << std::optional<QString>(u"Upgrade"_qs) << true;
        QTest::newRow("unnamed incident, named maintenance")
            << QByteArray(R"({"page":{},"activeIncidents":[{"impact":"PARTIALOUTAGE"}],"activeMaintenances":[{"name":"Upgrade"}]})")
            << Indicator::Major << "Upgrade" << std::optional<QString>(u"Upgrade"_qs) << false;
        QTest::newRow("unnamed incident alone") << QByteArray(R"({"page":{},"activeIncidents":[{"impact":"PARTIALOUTAGE"}]})")
                                                << Indicator::Major << "Partial Outage" << none << false;
        QTest::newRow("unknown impact word") << QByteArray(R"({"page":{},"activeIncidents":[{"name":"X","impact":"WEIRD"}]})")
                                             << Indicator::Major << "X" << std::optional<QString>(u"X"_qs) << false;
        QTest::newRow("maintenance keeps a critical incident")
            << QByteArray(R"({"page":{},"activeIncidents":[{"name":"X","impact":"MAJOROUTAGE"}],"activeMaintenances":[{"name":"M"}]})")
            << Indicator::Critical << "X" << std::optional<QString>(u"X"_qs) << false;
        QTest::newRow("operational incident with maintenance")
            << QByteArray(R"({"page":{"status":"UP"},"activeIncidents":[{"name":"X","impact":"OPERATIONAL"}],"activeMaintenances":[{}]})")
            << Indicator::Minor << "X" << std::optional<QString>(u"X"_qs) << false;
        QTest::newRow("empty incident name") << QByteArray(R"({"page":{},"activeIncidents":[{"name":"","impact":"MINOROUTAGE"}]})")
                                             << Indicator::Minor << "Degraded Performance"
                                             << std::optional<QString>(QString()) << false;
        QTest::newRow("null lists") << QByteArray(R"({"page":{"status":"UP"},"activeIncidents":null,"activeMaintenances":null})")
                                    << Indicator::None << "All Systems Operational" << none << false;
    }

    void evaluate()
    {
        QFETCH(QByteArray, document);
        const InstatusProvider::DecodedDocument decoded = InstatusProvider::decode(document);
        QVERIFY2(decoded.document, qPrintable(decoded.error));
        const ServiceStatusResult result =
            InstatusProvider::evaluate(service(ProviderKind::Instatus), *decoded.document);
        QTEST(result.indicator, "indicator");
        QTEST(result.description, "description");
        QTEST(result.incidentTitle, "title");
        QTEST(result.isMaintenance, "maintenance");
    }

    void decodeFailures_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::newRow("no page") << QByteArray(R"({"activeIncidents":[]})");
        QTest::newRow("page not an object") << QByteArray(R"({"page":"UP"})");
        QTest::newRow("impact not a string") << QByteArray(R"({"page":{},"activeIncidents":[{"impact":3}]})");
    }

    void decodeFailures()
    {
        QFETCH(QByteArray, document);
        const InstatusProvider::DecodedDocument decoded = InstatusProvider::decode(document);
        QVERIFY(!decoded.document);
        QVERIFY(!decoded.error.isEmpty());
    }

    void endpoint()
    {
        QCOMPARE(InstatusProvider::summaryEndpoint(QUrl(u"http://status.example.com:8443/history?page=2#top"_qs)),
                 QUrl(u"https://status.example.com:8443/summary.json"_qs));
        QCOMPARE(InstatusProvider::summaryEndpoint(QUrl(u"file:///tmp/x"_qs)), std::nullopt);
    }

    void throughTheServer()
    {
        FakeServer server;
        server.setRoute("/summary.json", FakeRoute::json(fixture(u"instatus/summary-incidents.json"_qs)));
        InstatusProvider reader{HttpSession()};
        const ServiceStatusResult result =
            QCoro::waitFor(reader.fetch(service(ProviderKind::Instatus, server.httpsUrl(u"/history"_qs))));
        QCOMPARE(result.indicator, Indicator::Critical);
        QCOMPARE(result.description, u"Image generation is slow"_qs);
        QCOMPARE(server.requestCount("/summary.json"), 1);
    }

    void failures()
    {
        FakeServer server;
        server.setRoute("/summary.json", FakeRoute::text("<html>maintenance</html>", 503));
        InstatusProvider reader{HttpSession()};
        ServiceStatusResult result = QCoro::waitFor(reader.fetch(service(ProviderKind::Instatus, server.httpsUrl())));
        QCOMPARE(result.indicator, Indicator::Unknown);
        QCOMPARE(result.description, u"HTTP 503"_qs);

        result = QCoro::waitFor(reader.fetch(service(ProviderKind::Instatus, QUrl(u"status page"_qs))));
        QCOMPARE(result.description, u"Invalid URL"_qs);
    }
};

QTEST_GUILESS_MAIN(TestInstatusProvider)
#include "tst_instatusprovider.moc"
