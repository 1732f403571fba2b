#include "providers/apple/appleprovider.h"
#include "providers/aws/awsprovider.h"
#include "providers/azure/azureprovider.h"
#include "providers/gcp/gcpprovider.h"
#include "providers/xai/xaiprovider.h"

#include "readertesting.h"

#include <QStringEncoder>

using namespace ReaderTesting;

namespace {

QString item(const QString &title, const QString &status, const QString &severity = {}, const QString &extra = {})
{
    const QString titleElement = title.isNull() ? QString() : u"<title>"_qs + title + u"</title>"_qs;
    return u"<item>"_qs + titleElement + u"<description><![CDATA[<p>Status: "_qs + status + u"</p><p>Severity: "_qs
           + severity + u"</p>]]></description>"_qs + extra + u"</item>"_qs;
}

QString published(qint64 hoursAgo)
{
    return u"<pubDate>"_qs
           + QLocale::c().toString(checkTime().addSecs(-hoursAgo * 3600), u"ddd, dd MMM yyyy HH:mm:ss"_qs)
           + u" GMT</pubDate>"_qs;
}

QByteArray utf16(const QByteArray &utf8, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder.encode(QString::fromUtf8(utf8));
}

AWSProvider::Event awsEvent(const char *status, std::optional<QString> summary = std::nullopt,
                            std::optional<QString> region = std::nullopt, std::optional<QString> arn = std::nullopt)
{
    return {QString::fromLatin1(status), std::move(summary), std::move(region), std::move(arn)};
}

AWSProvider::Event inRegion(const char *status, const QString &summary, const QString &code)
{
    return awsEvent(status, summary, std::nullopt, u"arn:aws:health:"_qs + code + u"::event/EC2/ISSUE/1"_qs);
}

} // namespace

// The providers of the feeds large vendors publish for themselves (xAI, Apple, Azure, AWS,
// Google Cloud): what each makes of its document, and one check of each through a fake
// server.
class TestVendorFeeds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each open post as "title/indicator", with "/maintenance" when flagged.
    void xaiActivePosts_data()
    {
        QTest::addColumn<QString>("feed");
        QTest::addColumn<QStringList>("incidents");
        QTest::newRow("closed items dropped, any case")
            << item(u"A"_qs, u"Resolved"_qs) + item(u"B"_qs, u"postmortem"_qs) + item(u"C"_qs, u"COMPLETED"_qs)
                   + item(u"D"_qs, u"Investigating"_qs)
            << QStringList{u"D/minor"_qs};
        QTest::newRow("age limit") << item(u"old"_qs, u"Identified"_qs, {}, published(73))
                                          + item(u"recent"_qs, u"Identified"_qs, {}, published(71))
                                          + item(u"future"_qs, u"Identified"_qs, {}, published(-1))
                                          + item(u"garbled date"_qs, u"Identified"_qs, {},
                                                 u"<pubDate>yesterday</pubDate>"_qs)
                                   << QStringList{u"recent/minor"_qs, u"future/minor"_qs, u"garbled date/minor"_qs};
        // Keywords are looked for in the severity and the title joined by a space.
        QTest::newRow("grading and maintenance")
            << item(u"API"_qs, u"Identified"_qs, u"Major Outage"_qs)
                   + item(u"outage report"_qs, u"Identified"_qs, u"major"_qs)
                   + item(u"Chat"_qs, u"Identified"_qs, u"OUTAGE"_qs)
                   + item(u"Billing"_qs, u"Identified"_qs, u"Maintenance"_qs)
                   + item(u"Upgrade"_qs, u"scheduled maintenance"_qs)
            << QStringList{u"API/critical"_qs, u"outage report/critical"_qs, u"Chat/major"_qs,
                           u"Billing/minor/maintenance"_qs, u"Upgrade/minor/maintenance"_qs};
        QTest::newRow("no title, no description")
            << item(QString(), u"Investigating"_qs) + u"<item><title>Bare</title></item>"_qs
            << QStringList{u"Active incident/minor"_qs, u"Bare/minor"_qs};
    }

    void xaiActivePosts()
    {
        QFETCH(QString, feed);
        QStringList got;
        for (const XAIProvider::Post &post : XAIProvider::activePosts(feed, checkTime()))
            got.append(post.title + u'/' + indicatorName(post.indicator)
                       + (post.isMaintenance ? u"/maintenance"_qs : QString()));
        QTEST(got, "incidents");
    }

    // The impact is the Severity line's alone; maintenance posts are windows, in progress
    // unless their status says they are still to come.
    void xaiStory()
    {
        const QString feed = item(u"API errors"_qs, u"Identified"_qs, u"Partial outage"_qs,
                                  u"<link>https://status.x.ai/incidents/7</link>"_qs + published(2))
                             + item(u"Console down"_qs, u"Monitoring"_qs, u"Minor"_qs)
                             + item(u"Slow replies"_qs, u"Investigating"_qs)
                             + item(u"Upgrade"_qs, u"Scheduled maintenance"_qs, {}, u"<link>javascript:x()</link>"_qs)
                             + item(u"Migration"_qs, u"In progress"_qs, u"Maintenance"_qs);
        const FeedStory::Story story = XAIProvider::story(XAIProvider::activePosts(feed, checkTime()));
        QCOMPARE(
            told(story.incidents),
            (QStringList{
                u"API errors | identified | major | 2026-11-30T10:00:00Z | - | - | https://status.x.ai/incidents/7"_qs,
                u"Console down | monitoring | minor | - | - | - | -"_qs,
                u"Slow replies | investigating | - | - | - | - | -"_qs}));
        QCOMPARE(told(story.maintenances),
                 (QStringList{u"Upgrade | scheduled | - | - | -"_qs, u"Migration | in_progress | - | - | -"_qs}));
    }

    void xaiEvaluatePicksTheFirstWorst()
    {
        const QList<XAIProvider::Post> posts{{u"a"_qs, Indicator::Minor, false},
                                             {u"b"_qs, Indicator::Critical, true},
                                             {u"c"_qs, Indicator::Critical, false}};
        QCOMPARE(graded(XAIProvider::evaluate(service(ProviderKind::Xai), posts)),
                 u"critical: b (+2 more) [b] (maintenance)"_qs);
    }

    void xaiThroughTheServer()
    {
        FeedServer server;
        server.setRoute("/feed.xml", FakeRoute::text(fixture(u"xai/feed.xml"_qs)));
        XAIProvider provider{HttpSession()};
        const ServiceStatusResult result = fetched(provider, ProviderKind::Xai);
        QCOMPARE(graded(result), u"critical: Console sign-in unavailable (+2 more) [Console sign-in unavailable]"_qs);
        QCOMPARE(told(result.incidents),
                 (QStringList{u"Elevated error rates on the API | investigating | major | - | - | "
                              u"We are looking into it. | https://status.x.ai/incidents/1"_qs,
                              u"Console sign-in unavailable | identified | minor | - | - | - | -"_qs}));
        QCOMPARE(told(result.maintenances),
                 QStringList{u"Database maintenance | in_progress | - | - | https://status.x.ai/incidents/4"_qs});
        server.setRoute("/feed.xml", FakeRoute::text("<rss>\xc3\x28</rss>"));
        QCOMPARE(check(provider, ProviderKind::Xai), u"unknown: Decode error"_qs);
    }

    // A script with its object is read in appleThroughTheServer.
    void appleScriptsWithoutAnObject()
    {
        QCOMPARE(AppleProvider::extractJSON("cb({\"a\":1"), std::nullopt);
        QCOMPARE(AppleProvider::extractJSON("} x {"), std::nullopt);
        QCOMPARE(AppleProvider::extractJSON("cb({\"a\":\"\xff\"})"), std::nullopt);
    }

    void appleEvaluate_data()
    {
        gradingColumns();
        const auto entry = [](const char *name, const char *events) -> QByteArray {
            return QByteArray("{\"serviceName\":\"") + name + "\",\"events\":[" + events + "]}";
        };
        const auto payload = [](const QList<QByteArray> &entries) -> QByteArray {
            return QByteArray("{\"services\":[") + entries.join(',') + "]}";
        };
        gradingRow("closed in any case, empty, or closed by the first present member",
                   payload({entry("Maps", ""), entry("Mail", R"({"eventStatus":"resolved"})"),
                            entry("TV", R"({"eventStatus":"COMPLETED"})"), entry("Siri", R"({"eventStatus":""})"),
                            entry("Music", R"({"eventStatus":"resolved","statusType":"Outage"})")}),
                   "none: All Systems Operational");
        gradingRow("ongoing outweighs the outage type",
                   payload({entry("Mail", R"({"eventStatus":"ongoing","statusType":"Outage"})")}), "minor: Mail");
        gradingRow("two affected",
                   payload({entry("Mail", R"({"messageType":"Issue"})"), entry("Maps", ""),
                            entry("TV", R"({"eventStatus":"ongoing"})")}),
                   "minor: Mail, TV");
        gradingRow("story of the wrong type",
                   payload({entry("Mail", R"({"eventStatus":"ongoing","message":5,"epochStartDate":"soon"})")}),
                   "minor: Mail");
        gradingRow("empty name", payload({entry("", R"({"eventStatus":"ongoing"})")}), "minor: Degraded Performance");
        gradingRow("no services", "{}", "unreadable");
        gradingRow("status of wrong type", payload({entry("M", R"({"eventStatus":1})")}), "unreadable");
    }

    void appleEvaluate()
    {
        QFETCH(QByteArray, document);
        QTEST(gradedOr(AppleProvider::decode(document), &AppleProvider::evaluate, ProviderKind::Apple), "expected");
    }

    // The developer edition only for an address on the developer site.
    void appleThroughTheServer()
    {
        FeedServer server;
        server.setRoute("/support/systemstatus/data/developer/system_status_en_US.js",
                        FakeRoute::text(fixture(u"apple/system_status.js"_qs)));
        server.setRoute("/support/systemstatus/data/system_status_en_US.js", FakeRoute::text("no JSON here"));
        AppleProvider provider{HttpSession()};
        const ServiceStatusResult result = fetched(provider, ProviderKind::Apple,
                                                   QUrl(u"https://developer.apple.com/system-status/"_qs));
        QCOMPARE(graded(result), u"major: iCloud Mail, Siri (+2 more)"_qs);
        // Events are titled by their service and graded by their type; the upcoming
        // maintenance has no known start and is not told.
        QCOMPARE(told(result.incidents), (QStringList{u"iCloud Mail | ongoing | minor | 2025-11-30T10:53:20Z | - | "
                                                      u"Users may be unable to sign in. | -"_qs,
                                                      u"Siri | - | major | - | - | - | -"_qs}));
        QCOMPARE(told(result.maintenances),
                 QStringList{u"iCloud Backup | in_progress | 2025-11-30T10:00:00Z | 2025-11-30T14:00:00Z | -"_qs});
        QCOMPARE(check(provider, ProviderKind::Apple, QUrl(u"https://example.com/developer.apple.com"_qs)),
                 u"unknown: Unexpected format"_qs);
    }

    // The strongest keyword wins, in any case.
    void azureIndicator()
    {
        QCOMPARE(AzureProvider::indicator(u"Advisory: Network OUTAGE"_qs), Indicator::Critical);
        QCOMPARE(AzureProvider::indicator(u"Advisory: impact on VMs"_qs), Indicator::Major);
    }

    void azureItemTitles_data()
    {
        QTest::addColumn<QString>("feed");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("channel title is not an item")
            << u"<title>Azure</title><item><title>A</title></item>"_qs << QStringList{u"A"_qs};
        QTest::newRow("attributes and cdata")
            << u"<item><title type=\"text\">A</title></item><item><title><![CDATA[\n B ]]></title></item>"_qs
            << QStringList{u"A"_qs, u"B"_qs};
        QTest::newRow("blank, empty, missing, longer-named and unclosed titles skipped")
            << u"<item><title>  </title></item><item><title></title></item><item><link>x</link></item>"_qs
               u"<item><titles>A</titles></item><item><title>A</item><item><title>C</title></item>"_qs
            << QStringList{u"C"_qs};
        QTest::newRow("unterminated item")
            << u"<item><title>A</title></item><item><title>B</title>"_qs << QStringList{u"A"_qs};
    }

    void azureItemTitles()
    {
        QFETCH(QString, feed);
        QTEST(AzureProvider::itemTitles(feed), "titles");
    }

    void azureThroughTheServer()
    {
        FeedServer server;
        server.setRoute("/en-us/status/feed/", FakeRoute::text(fixture(u"azure/feed.xml"_qs)));
        AzureProvider provider{HttpSession()};
        const ServiceStatusResult result = fetched(provider, ProviderKind::Azure);
        QCOMPARE(graded(result), u"major: Degraded performance for Azure Storage in West Europe (+1 more)"_qs);
        QCOMPARE(
            told(result.incidents),
            (QStringList{u"Degraded performance for Azure Storage in West Europe | - | - | 2026-11-30T09:45:00Z | - "
                         u"| Starting at 09:10 UTC customers may experience latency. | "
                         u"https://azure.status.microsoft/en-us/status/"_qs,
                         u"Advisory: Networking maintenance | - | - | - | - | Planned work. | -"_qs}));
        server.setRoute("/en-us/status/feed/", FakeRoute::text(fixture(u"azure/feed-empty.xml"_qs)));
        QCOMPARE(check(provider, ProviderKind::Azure), u"none: All Systems Operational"_qs);
        server.setRoute("/en-us/status/feed/", FakeRoute::text("<item><title>\xed\xa0\x80</title></item>"));
        QCOMPARE(check(provider, ProviderKind::Azure), u"unknown: Decode error"_qs);
    }

    // The summary of the one event, "Decode error" when the body is not UTF-16, or "json"
    // when it is UTF-16 but not the expected JSON (the JSON provider's own text).
    void awsDecode_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("outcome");
        const QByteArray json = R"([{"status":"2", "summary":"Caf\u00e9 \u00fc \ud83d\ude00 down"}])"; // even length
        const QString summary = u"Caf\u00e9 \u00fc \U0001F600 down"_qs;
        QTest::newRow("big-endian with mark") << utf16(json, QStringConverter::Utf16BE) << summary;
        QTest::newRow("UTF-8") << json << u"json"_qs;
        QTest::newRow("story of the wrong type") << utf16(
            R"([{"status":"2","summary":"S","date":true,"event_log":{"message":"m"}}])", QStringConverter::Utf16BE)
                                                 << u"S"_qs;
        QTest::newRow("odd length") << utf16(json, QStringConverter::Utf16BE) + 'x' << u"Decode error"_qs;
        QTest::newRow("lone high surrogate") << QByteArray("\xfe\xff\x00[\xd8\x3d\x00]", 8) << u"Decode error"_qs;
    }

    void awsDecode()
    {
        QFETCH(QByteArray, body);
        const Decoded<QList<AWSProvider::Event>> decoded = AWSProvider::decode(body);
        QCOMPARE(decoded.error.isEmpty(), decoded.value.has_value());
        const QString outcome = decoded.value ? decoded.value->value(0).summary.value_or(QString()) : decoded.error;
        QTEST(decoded.value || outcome == u"Decode error"_qs ? outcome : u"json"_qs, "outcome");
    }

    void awsEvaluate_data()
    {
        QTest::addColumn<QList<AWSProvider::Event>>("events");
        QTest::addColumn<QStringList>("regions");
        QTest::addColumn<QString>("expected");
        QTest::newRow("only inactive") << QList{awsEvent("0", u"old"_qs), awsEvent("4"), awsEvent("")} << QStringList()
                                       << u"none: All Systems Operational"_qs;
        QTest::newRow("empty summary") << QList{awsEvent("1", QString())} << QStringList()
                                       << u"minor: Degraded Performance"_qs;
        QTest::newRow("no summary, with region") << QList{awsEvent("3", std::nullopt, u"Ohio"_qs)} << QStringList()
                                                 << u"critical: Major Outage \u2014 Ohio"_qs;
        // Codes match exactly, table or not; events without a code are global and always count.
        QTest::newRow("selected regions and global events")
            << QList{inRegion("3", u"us"_qs, u"us-east-1"_qs),
                     inRegion("3", u"EU"_qs, u"EU-WEST-1"_qs),
                     inRegion("1", u"eu"_qs, u"eu-west-1"_qs),
                     inRegion("1", u"mars"_qs, u"mars-north-1"_qs),
                     inRegion("2", u"empty piece"_qs, QString()),
                     awsEvent("1", u"no arn"_qs),
                     awsEvent("1", u"short arn"_qs, {}, u"arn:aws:us-east-1"_qs)}
            << QStringList{u"eu-west-1"_qs, u"mars-north-1"_qs} << u"major: empty piece (+4 more)"_qs;
    }

    void awsEvaluate()
    {
        QFETCH(QList<AWSProvider::Event>, events);
        QFETCH(QStringList, regions);
        const QSet<QString> selected(regions.cbegin(), regions.cend());
        QTEST(graded(AWSProvider::evaluate(service(ProviderKind::Aws), events, selected)), "expected");
    }

    void awsThroughTheServer()
    {
        FeedServer server;
        server.setRoute("/public/currentevents", {.headers = {{"Content-Type", "application/json;charset=utf-16"}},
                                                  .body = fixture(u"aws/currentevents-utf16be.json"_qs)});
        AWSProvider provider{HttpSession()};
        const ServiceStatusResult result = fetched(provider, ProviderKind::Aws);
        QCOMPARE(graded(result), u"critical: Increased API Error Rates \u2014 N. Virginia (+2 more)"_qs);
        // The latest log entry is the update; the resolved event is not told.
        QCOMPARE(
            told(result.incidents),
            (QStringList{u"Increased API Error Rates \u2014 N. Virginia | - | critical | 2025-11-30T08:06:40Z | "
                         u"2025-11-30T09:06:40Z | We have identified the cause and are working on mitigation. | -"_qs,
                         u"Elevated S3 latency \u2014 Ireland | - | major | 2025-11-30T08:23:20Z | - | - | -"_qs,
                         u"Delays in IAM propagation | - | minor | 2025-11-30T08:40:00Z | - | - | -"_qs}));
        QCOMPARE(server.requests().last().headers.value("accept"), QByteArray("application/json"));

        AWSProvider narrowed{HttpSession(), {u"us-west-2"_qs, u"eu-west-1"_qs}};
        const ServiceStatusResult regional = fetched(narrowed, ProviderKind::Aws);
        QCOMPARE(graded(regional), u"major: Elevated S3 latency \u2014 Ireland (+1 more)"_qs);
        QCOMPARE(told(regional.incidents), told(result.incidents).sliced(1));
    }

    void gcpEvaluate_data()
    {
        gradingColumns();
        const auto row = gradingRow;
        row("only closed", R"([{"end":"2026-11-20T10:00:00+00:00","status_impact":"SERVICE_OUTAGE"}])",
            "none: All Systems Operational");
        row("unknown impact falls to severity",
            R"([{"external_desc":"X","status_impact":"SOMETHING","severity":"medium"}])", "major: X");
        row("neither member, no headline", R"([{}])", "minor: Degraded Performance");
        row("first product without title",
            R"([{"external_desc":"Latency","affected_products":[{"id":"x"},{"title":"GKE"}]}])", "minor: Latency");
        row("story of the wrong type",
            R"([{"external_desc":"X","begin":7,"most_recent_update":"soon","updates":3,"uri":5}])", "minor: X");
        row("object instead of array", "{}", "unreadable");
        row("a closed incident of the wrong type still fails", R"([{"end":"x","severity":1}])", "unreadable");
        row("later product not an object", R"([{"affected_products":[{"title":"a"},3]}])", "unreadable");
    }

    void gcpEvaluate()
    {
        QFETCH(QByteArray, document);
        QTEST(gradedOr(GCPProvider::decode(document), &GCPProvider::evaluate, ProviderKind::Gcp), "expected");
    }

    void gcpThroughTheServer()
    {
        FeedServer server;
        server.setRoute("/incidents.json", FakeRoute::json(fixture(u"gcp/incidents.json"_qs)));
        GCPProvider provider{HttpSession()};
        const ServiceStatusResult result = fetched(provider, ProviderKind::Gcp);
        QCOMPARE(graded(result), u"major: Elevated latency for requests \u2014 Cloud Run (+1 more)"_qs);
        // Links go to the status site even though the archive came from elsewhere; without
        // a "most_recent_update" the newest of the updates is the latest.
        QCOMPARE(told(result.incidents),
                 (QStringList{u"Elevated latency for requests \u2014 Cloud Run | - | major | 2026-11-30T08:00:00Z | "
                              u"2026-11-30T09:30:00Z | Mitigation is in progress. | "
                              u"https://status.cloud.google.com/incidents/a1"_qs,
                              u"Console charts missing | - | minor | 2026-11-30T09:00:00Z | 2026-11-30T09:12:00Z | "
                              u"Charts in the console are missing for some projects. | "
                              u"https://status.cloud.google.com/incidents/a2"_qs}));
        server.setRoute("/incidents.json", FakeRoute::json("[{\"end\":"));
        QVERIFY(check(provider, ProviderKind::Gcp).startsWith(u"unknown: The data couldn't be read"_qs));
    }
};

QTEST_GUILESS_MAIN(TestVendorFeeds)
#include "tst_vendorfeeds.moc"
