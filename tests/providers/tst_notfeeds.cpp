#include "providers/fetchwithretry.h"
#include "providers/providertable.h"

#include "readertesting.h"

using namespace ReaderTesting;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(ProviderKind)

namespace {

// What a proxy or a load balancer answers, with a 200, when the server behind it is gone.
const QByteArray badGateway = "\r\n  <!DOCTYPE html>\n<html><head><title>502 Bad Gateway</title></head>"
                              "<body><center><h1>502 Bad Gateway</h1></center><hr><center>nginx</center>"
                              "</body></html>\n";

FakeRoute page(const QByteArray &body)
{
    return {.headers = {{"Content-Type", "text/html; charset=utf-8"}}, .body = body};
}

// The path of a provider's fixed feed on the fake server.
QByteArray feedPath(ProviderKind kind)
{
    return fixedFeed(kind).path().toUtf8();
}

} // namespace

// Answers that are not the feed a provider asked for: each must read as a failure, retried
// once as every failure is, never as a calm page.
class TestNotFeeds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The RSS providers find no items in what is not a whole feed; only a whole one without
    // items is calm. What the monitor's check shows, and how often it asked.
    void scannedFeeds_data()
    {
        QTest::addColumn<ProviderKind>("kind");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("requests");
        const QString unexpected = u"unknown: Unexpected format"_qs;
        const QString calm = u"none: All Systems Operational"_qs;
        for (const ProviderKind kind : {ProviderKind::Azure, ProviderKind::Xai}) {
            const QByteArray name = storedName(kind).toUtf8();
            // Cut inside the second item: what is left still holds the first.
            const QByteArray cut = fixture(storedName(kind) + u"/truncated.xml"_qs);
            QTest::addRow("%s, error page", name.constData()) << kind << badGateway << unexpected << 2;
            QTest::addRow("%s, empty body", name.constData()) << kind << QByteArray() << unexpected << 2;
            QTest::addRow("%s, cut off before the channel ends", name.constData()) << kind << cut << unexpected << 2;
            QTest::addRow("%s, a channel without items", name.constData())
                << kind
                << QByteArray("<?xml version=\"1.0\"?><rss version=\"2.0\"><channel><title>S</title>"
                              "</channel></rss>")
                << calm << 1;
        }
        QTest::newRow("azure, an Atom feed without entries")
            << ProviderKind::Azure << QByteArray("<feed xmlns=\"http://www.w3.org/2005/Atom\"><title>S</title></feed>")
            << calm << 1;
        // An Atom feed holds entries where RSS holds items: one current entry is trouble.
        const QByteArray atomEntry("<feed xmlns=\"http://www.w3.org/2005/Atom\"><title>S</title><entry>"
                                   "<title>Outage: API errors</title>"
                                   "<link href=\"https://status.example/i/1\"/><summary>Looking into it</summary>"
                                   "</entry></feed>");
        QTest::newRow("azure, an Atom feed with an entry")
            << ProviderKind::Azure << atomEntry << u"critical: Outage: API errors"_qs << 1;
        QTest::newRow("xai, an Atom feed with an entry")
            << ProviderKind::Xai << atomEntry << u"major: Outage: API errors [Outage: API errors]"_qs << 1;
        QTest::newRow("xai, a channel tag that is not one")
            << ProviderKind::Xai << QByteArray("<channels></channels><feedback></feedback>") << unexpected << 2;
    }

    void scannedFeeds()
    {
        QFETCH(ProviderKind, kind);
        QFETCH(QByteArray, body);
        FeedServer server;
        server.setRoute(feedPath(kind), FakeRoute::text(body));
        QTEST(graded(QCoro::waitFor(fetchWithRetry(service(kind), 1ms))), "expected");
        QTEST(server.requestCount(feedPath(kind)), "requests");
    }

    // A web page where any provider's feed belongs, an error page answered with 200 at every
    // address. The providers of JSON say it in words; the RSS providers find no feed in it.
    void everyReaderGivenAWebPage_data()
    {
        QTest::addColumn<ProviderKind>("kind");
        QTest::addColumn<QString>("expected");
        for (const ProviderInfo &provider : providerTable()) {
            if (provider.kind == ProviderKind::Website)
                continue;
            const bool scanned = provider.kind == ProviderKind::Azure || provider.kind == ProviderKind::Xai;
            QTest::newRow(provider.displayName)
                << provider.kind
                << (scanned ? u"unknown: Unexpected format"_qs
                            : u"unknown: Not a status feed: the address answered with a web page"_qs);
        }
    }

    void everyReaderGivenAWebPage()
    {
        QFETCH(ProviderKind, kind);
        FeedServer server;
        server.setRoute("*", page(badGateway));
        // Status.io's own page leads to its API, which answers the error page.
        server.setRoute("/status/home", page(fixture(u"statusio/page.html"_qs)));
        const std::unique_ptr<StatusProvider> provider = providerInfo(kind).make(HttpSession(), ProviderContext());
        QTEST(check(*provider, kind, server.httpsUrl(u"/status/home"_qs)), "expected");
    }
};

QTEST_GUILESS_MAIN(TestNotFeeds)
#include "tst_notfeeds.moc"
