#include "providers/azureprovider.h"

#include "readertesting.h"

using namespace ReaderTesting;

class TestAzureProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The strongest keyword wins, in any case.
    void indicator()
    {
        QCOMPARE(AzureProvider::indicator(u"Advisory: Network OUTAGE"_qs), Indicator::Critical);
        QCOMPARE(AzureProvider::indicator(u"Advisory: impact on VMs"_qs), Indicator::Major);
    }

    void itemTitles_data()
    {
        QTest::addColumn<QString>("feed");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("channel title is not an item") << u"<title>Azure</title><item><title>A</title></item>"_qs
                                                      << QStringList{u"A"_qs};
        QTest::newRow("attributes and cdata")
            << u"<item><title type=\"text\">A</title></item><item><title><![CDATA[\n B ]]></title></item>"_qs
            << QStringList{u"A"_qs, u"B"_qs};
        QTest::newRow("blank, empty, missing, longer-named and unclosed titles skipped")
            << u"<item><title>  </title></item><item><title></title></item><item><link>x</link></item>"_qs
                   u"<item><titles>A</titles></item><item><title>A</item><item><title>C</title></item>"_qs
            << QStringList{u"C"_qs};
        QTest::newRow("unterminated item") << u"<item><title>A</title></item><item><title>B</title>"_qs
                                           << QStringList{u"A"_qs};
    }

    void itemTitles()
    {
        QFETCH(QString, feed);
        QTEST(AzureProvider::itemTitles(feed), "titles");
    }

    void throughTheServer()
    {
        FeedServer server;
        server.setRoute("/en-us/status/feed/", FakeRoute::text(fixture(u"azure/feed.xml"_qs)));
        AzureProvider reader{HttpSession()};
        QCOMPARE(check(reader, ProviderKind::Azure), u"major: Degraded performance for Azure Storage in West Europe (+1 more)"_qs);
        server.setRoute("/en-us/status/feed/", FakeRoute::text(fixture(u"azure/feed-empty.xml"_qs)));
        QCOMPARE(check(reader, ProviderKind::Azure), u"none: All Systems Operational"_qs);
        server.setRoute("/en-us/status/feed/", FakeRoute::text("<item><title>\xed\xa0\x80</title></item>"));
        QCOMPARE(check(reader, ProviderKind::Azure), u"unknown: Decode error"_qs);
    }
};

QTEST_GUILESS_MAIN(TestAzureProvider)
#include "tst_azureprovider.moc"
