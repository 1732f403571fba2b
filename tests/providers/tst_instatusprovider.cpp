#include "providers/instatusprovider.h"

#include "readertesting.h"

using namespace ReaderTesting;

class TestInstatusProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "unreadable" when the document does not decode.
    void evaluate_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("expected");
        QTest::newRow("page up, null lists") << QByteArray(R"({"page":{"status":"UP"},"activeIncidents":null,"activeMaintenances":null})")
                                             << u"none: All Systems Operational"_qs;
        QTest::newRow("page without status") << QByteArray(R"({"page":{}})") << u"none: All Systems Operational"_qs;
        QTest::newRow("page word in lower case") << QByteArray(R"({"page":{"status":"hasissues"}})") << u"major: Partial Outage"_qs;
        QTest::newRow("page under maintenance") << QByteArray(R"({"page":{"status":"UNDERMAINTENANCE"}})")
                                                << u"minor: Degraded Performance (maintenance)"_qs;
        QTest::newRow("maintenance alone") << QByteArray(R"({"page":{"status":"UP"},"activeMaintenances":[{"name":"Upgrade"}]})")
                                           << u"minor: Upgrade [Upgrade] (maintenance)"_qs;
        QTest::newRow("unnamed incident, named maintenance")
            << QByteArray(R"({"page":{},"activeIncidents":[{"impact":"PARTIALOUTAGE"}],"activeMaintenances":[{"name":"Upgrade"}]})")
            << u"major: Upgrade [Upgrade]"_qs;
        QTest::newRow("unknown impact word, not lowered by maintenance")
            << QByteArray(R"({"page":{},"activeIncidents":[{"name":"X","impact":"WEIRD"}],"activeMaintenances":[{"name":"M"}]})")
            << u"major: X [X]"_qs;
        QTest::newRow("operational incident raised by maintenance")
            << QByteArray(R"({"page":{"status":"UP"},"activeIncidents":[{"name":"X","impact":"OPERATIONAL"}],"activeMaintenances":[{}]})")
            << u"minor: X [X]"_qs;
        QTest::newRow("empty incident name") << QByteArray(R"({"page":{},"activeIncidents":[{"name":"","impact":"MINOROUTAGE"}]})")
                                             << u"minor: Degraded Performance []"_qs;
        QTest::newRow("no page") << QByteArray(R"({"activeIncidents":[]})") << u"unreadable"_qs;
        QTest::newRow("impact not a string") << QByteArray(R"({"page":{},"activeIncidents":[{"impact":3}]})") << u"unreadable"_qs;
    }

    void evaluate()
    {
        QFETCH(QByteArray, document);
        const InstatusProvider::DecodedDocument decoded = InstatusProvider::decode(document);
        QCOMPARE(decoded.error.isEmpty(), decoded.document.has_value());
        QTEST(decoded.document ? graded(InstatusProvider::evaluate(service(ProviderKind::Instatus), *decoded.document))
                               : u"unreadable"_qs,
              "expected");
    }

    void throughTheServer()
    {
        FeedServer server;
        server.setRoute("/summary.json", FakeRoute::json(fixture(u"instatus/summary-incidents.json"_qs)));
        InstatusProvider reader{HttpSession()};
        QCOMPARE(check(reader, ProviderKind::Instatus, server.httpsUrl(u"/history"_qs)),
                 u"critical: Image generation is slow [Image generation is slow]"_qs);
        QCOMPARE(server.requestCount("/summary.json"), 1);
        QCOMPARE(check(reader, ProviderKind::Instatus, QUrl(u"status page"_qs)), u"unknown: Invalid URL"_qs);
    }
};

QTEST_GUILESS_MAIN(TestInstatusProvider)
#include "tst_instatusprovider.moc"
