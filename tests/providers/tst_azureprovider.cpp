#include "providers/azureprovider.h"

#include "readertesting.h"

#include <QTest>

using namespace ReaderTesting;

class TestAzureProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { trustFakeServer(); }

    void indicator_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<Indicator>("expected");
        QTest::newRow("outage") << u"Network OUTAGE in East US"_qs << Indicator::Critical;
        QTest::newRow("degraded") << u"Degraded performance for Storage"_qs << Indicator::Major;
        QTest::newRow("disruption") << u"Service disruption"_qs << Indicator::Major;
        QTest::newRow("advisory and impact") << u"Advisory: impact on VMs"_qs << Indicator::Major;
        QTest::newRow("advisory") << u"Advisory: Networking maintenance"_qs << Indicator::Minor;
        QTest::newRow("information") << u"Information about billing"_qs << Indicator::Minor;
        QTest::newRow("no keyword") << u"Azure Front Door"_qs << Indicator::Major;
    }

    void indicator()
    {
        QFETCH(QString, title);
        QTEST(AzureProvider::indicator(title), "expected");
    }

    void itemTitles_data()
    {
        QTest::addColumn<QString>("feed");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("no items") << u"<rss><channel><title>Azure Status</title></channel></rss>"_qs << QStringList();
        QTest::newRow("channel title is not an item") << u"<title>Azure</title><item><title>A</title></item>"_qs
                                                      << QStringList{u"A"_qs};
        QTest::newRow("attributes and cdata")
            << u"<item><title type=\"text\">A</title></item><item><title><![CDATA[ B ]]></title></item>"_qs
            << QStringList{u"A"_qs, u"B"_qs};
        QTest::newRow("blank, empty and missing titles skipped")
            << u"<item><title>  </title></item><item><title></title></item><item><link>x</link></item><item><title>C</title></item>"_qs
            << QStringList{u"C"_qs};
        QTest::newRow("unterminated item") << u"<item><title>A</title></item><item><title>B</title>"_qs
                                           << QStringList{u"A"_qs};
        QTest::newRow("title outside its item is not taken")
            << u"<item><link>x</link></item><title>stray</title>"_qs << QStringList();
    }

    void itemTitles()
    {
        QFETCH(QString, feed);
        QTEST(AzureProvider::itemTitles(feed), "titles");
    }

    void throughTheServer()
    {
        FakeServer server;
        const FeedOrigin origin(server);
        server.setRoute("/en-us/status/feed/", FakeRoute::text(fixture(u"azure/feed.xml"_qs)));
        AzureProvider reader{HttpSession()};
        ServiceStatusResult result = QCoro::waitFor(reader.fetch(service(ProviderKind::Azure)));
        QCOMPARE(result.indicator, Indicator::Major);
        QCOMPARE(result.description, u"Degraded performance for Azure Storage in West Europe (+1 more)"_qs);
        QCOMPARE(result.incidentTitle, std::nullopt);

        server.setRoute("/en-us/status/feed/", FakeRoute::text(fixture(u"azure/feed-empty.xml"_qs)));
        result = QCoro::waitFor(reader.fetch(service(ProviderKind::Azure)));
        QCOMPARE(result.indicator, Indicator::None);
        QCOMPARE(result.description, u"All Systems Operational"_qs);

        server.setRoute("/en-us/status/feed/", FakeRoute::text("<item><title>\xed\xa0\x80</title></item>"));
        result = QCoro::waitFor(reader.fetch(service(ProviderKind::Azure)));
        QCOMPARE(result.indicator, Indicator::Unknown);
        QCOMPARE(result.description, u"Decode error"_qs);
    }
};

QTEST_GUILESS_MAIN(TestAzureProvider)
#include "tst_azureprovider.moc"
