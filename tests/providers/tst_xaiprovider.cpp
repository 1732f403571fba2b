#include "providers/xaiprovider.h"

#include "readertesting.h"

#include <QTest>
#include <QTimeZone>

using namespace ReaderTesting;

namespace {

const QDateTime kNow = QDateTime(QDate(2026, 11, 30), QTime(12, 0), QTimeZone::utc());

QString item(const QString &title, const QString &status, const QString &severity = {}, const QString &extra = {})
{
    QString body = u"<item>"_qs;
    if (!title.isNull())
        body += u"<title>"_qs + title + u"</title>"_qs;
    body += u"<description><![CDATA[<p>Status: "_qs + status + u"</p><p>Severity: "_qs + severity
            + u"</p>]]></description>"_qs + extra + u"</item>"_qs;
    return body;
}

QString pubDateElement(const QDateTime &when)
{
    return u"<pubDate>"_qs + QLocale::c().toString(when, u"ddd, dd MMM yyyy HH:mm:ss"_qs) + u" GMT</pubDate>"_qs;
}

} // namespace

class TestXAIProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { trustFakeServer(); }

    void activeIncidents_data()
    {
        QTest::addColumn<QString>("feed");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QList<Indicator>>("indicators");
        QTest::addColumn<QList<bool>>("maintenance");

        QTest::newRow("channel without items") << u"<rss><channel><title>x</title></channel></rss>"_qs
                                               << QStringList() << QList<Indicator>() << QList<bool>();
        QTest::newRow("closed items dropped, any case")
            << item(u"A"_qs, u"Resolved"_qs) + item(u"B"_qs, u"postmortem"_qs) + item(u"C"_qs, u"COMPLETED"_qs)
                   + item(u"D"_qs, u"Investigating"_qs)
            << QStringList{u"D"_qs} << QList<Indicator>{Indicator::Minor} << QList<bool>{false};
        QTest::newRow("age limit")
            << item(u"old"_qs, u"Identified"_qs, {}, pubDateElement(kNow.addSecs(-73 * 3600)))
                   + item(u"recent"_qs, u"Identified"_qs, {}, pubDateElement(kNow.addSecs(-71 * 3600)))
                   + item(u"future"_qs, u"Identified"_qs, {}, pubDateElement(kNow.addSecs(3600)))
                   + item(u"garbled date"_qs, u"Identified"_qs, {}, u"<pubDate>yesterday</pubDate>"_qs)
            << QStringList{u"recent"_qs, u"future"_qs, u"garbled date"_qs}
            << QList<Indicator>{Indicator::Minor, Indicator::Minor, Indicator::Minor} << QList<bool>{false, false, false};
        QTest::newRow("grading")
            << item(u"API"_qs, u"Identified"_qs, u"Major Outage"_qs) + item(u"Console Down"_qs, u"Identified"_qs)
                   + item(u"Search"_qs, u"Identified"_qs, u"Partial degradation"_qs)
                   + item(u"Billing"_qs, u"Identified"_qs, u"Maintenance"_qs)
            << QStringList{u"API"_qs, u"Console Down"_qs, u"Search"_qs, u"Billing"_qs}
            << QList<Indicator>{Indicator::Critical, Indicator::Critical, Indicator::Major, Indicator::Minor}
            << QList<bool>{false, false, false, true};
        QTest::newRow("scheduled maintenance status")
            << item(u"Upgrade"_qs, u"scheduled maintenance"_qs) << QStringList{u"Upgrade"_qs}
            << QList<Indicator>{Indicator::Minor} << QList<bool>{true};
        QTest::newRow("no title element") << item(QString(), u"Investigating"_qs) << QStringList{u"Active incident"_qs}
                                          << QList<Indicator>{Indicator::Minor} << QList<bool>{false};
        QTest::newRow("no description counts as open")
            << u"<item><title>Bare</title></item>"_qs << QStringList{u"Bare"_qs} << QList<Indicator>{Indicator::Minor}
            << QList<bool>{false};
        QTest::newRow("unterminated item ends the scan")
            << item(u"first"_qs, u"Identified"_qs) + u"<item><title>second</title>"_qs << QStringList{u"first"_qs}
            << QList<Indicator>{Indicator::Minor} << QList<bool>{false};
    }

    void activeIncidents()
    {
        QFETCH(QString, feed);
        QFETCH(QStringList, titles);
        QFETCH(QList<Indicator>, indicators);
        QFETCH(QList<bool>, maintenance);
        const QList<XAIProvider::Incident> incidents = XAIProvider::activeIncidents(feed, kNow);
        QStringList gotTitles;
        QList<Indicator> gotIndicators;
        QList<bool> gotMaintenance;
        for (const XAIProvider::Incident &incident : incidents) {
            gotTitles.append(incident.title);
            gotIndicators.append(incident.indicator);
            gotMaintenance.append(incident.isMaintenance);
        }
        QCOMPARE(gotTitles, titles);
        QCOMPARE(gotIndicators, indicators);
        QCOMPARE(gotMaintenance, maintenance);
    }

    void indicator_data()
    {
        QTest::addColumn<QString>("severity");
        QTest::addColumn<QString>("title");
        QTest::addColumn<Indicator>("expected");
        QTest::newRow("major outage") << u"Major Outage"_qs << u"API"_qs << Indicator::Critical;
        QTest::newRow("critical") << u"CRITICAL"_qs << u"API"_qs << Indicator::Critical;
        QTest::newRow("unavailable title") << QString() << u"Grok unavailable"_qs << Indicator::Critical;
        QTest::newRow("outage") << u"Outage"_qs << u"API"_qs << Indicator::Major;
        QTest::newRow("partial") << u"Partial"_qs << u"API"_qs << Indicator::Major;
        QTest::newRow("words joined across severity and title") << u"major"_qs << u"outage report"_qs << Indicator::Critical;
        QTest::newRow("nothing") << u"Minor"_qs << u"Slow responses"_qs << Indicator::Minor;
    }

    void indicator()
    {
        QFETCH(QString, severity);
        QFETCH(QString, title);
        QTEST(XAIProvider::indicator(severity, title), "expected");
    }

    void tagText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<QString>>("expected");
        QTest::newRow("plain") << u"<title> A </title>"_qs << std::optional<QString>(u"A"_qs);
        QTest::newRow("cdata") << u"<title><![CDATA[\n  A & B ]]></title>"_qs << std::optional<QString>(u"A & B"_qs);
        QTest::newRow("attributes") << u"<title type=\"text\">A</title>"_qs << std::optional<QString>(u"A"_qs);
        QTest::newRow("empty element") << u"<title></title>"_qs << std::optional<QString>(QString());
        QTest::newRow("longer tag name only") << u"<titles>A</titles>"_qs << std::optional<QString>();
        QTest::newRow("no closing tag") << u"<title>A"_qs << std::optional<QString>();
    }

    void tagText()
    {
        QFETCH(QString, text);
        QTEST(XAIProvider::tagText(u"title", text), "expected");
    }

    void field_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("up to a tag") << u"<p>Status: \tInvestigating </p>"_qs << u"Investigating"_qs;
        QTest::newRow("up to a line break") << u"Status: Monitoring\r\nSeverity: Minor"_qs << u"Monitoring"_qs;
        QTest::newRow("absent") << u"State: Identified"_qs << QString();
        QTest::newRow("case-sensitive name") << u"status: Resolved"_qs << QString();
    }

    void field()
    {
        QFETCH(QString, text);
        QTEST(XAIProvider::field(u"Status", text), "expected");
    }

    void pubDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("gmt") << u"Tue, 10 Jun 2025 14:05:00 GMT"_qs << QDateTime(QDate(2025, 6, 10), QTime(14, 5), QTimeZone::utc());
        QTest::newRow("offset zone") << u"Tue, 10 Jun 2025 14:05:00 GMT+02:00"_qs
                                     << QDateTime(QDate(2025, 6, 10), QTime(12, 5), QTimeZone::utc());
        QTest::newRow("not a date") << u"soon"_qs << QDateTime();
        QTest::newRow("trailing text") << u"Tue, 10 Jun 2025 14:05:00 GMT and more"_qs << QDateTime();
    }

    void pubDate()
    {
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const std::optional<QDateTime> parsed = XAIProvider::parsePubDate(text);
        QCOMPARE(parsed.has_value(), expected.isValid());
        if (parsed)
            QCOMPARE(parsed->toUTC(), expected);
    }

    void evaluatePicksTheFirstWorst()
    {
        const QList<XAIProvider::Incident> incidents{{u"a"_qs, Indicator::Minor, false},
                                                     {u"b"_qs, Indicator::Critical, true},
                                                     {u"c"_qs, Indicator::Critical, false}};
        const ServiceStatusResult result = XAIProvider::evaluate(service(ProviderKind::Xai), incidents);
        QCOMPARE(result.indicator, Indicator::Critical);
        QCOMPARE(result.description, u"b (+2 more)"_qs);
        QCOMPARE(result.incidentTitle, std::optional<QString>(u"b"_qs));
        QVERIFY(result.isMaintenance);
    }

    void throughTheServer()
    {
        FakeServer server;
        const FeedOrigin origin(server);
        server.setRoute("/feed.xml", FakeRoute::text(fixture(u"xai/feed.xml"_qs)));
        XAIProvider reader{HttpSession()};
        ServiceStatusResult result = QCoro::waitFor(reader.fetch(service(ProviderKind::Xai, QUrl(u"https://status.x.ai/"_qs))));
        QCOMPARE(result.indicator, Indicator::Critical);
        QCOMPARE(result.description, u"Console sign-in unavailable (+1 more)"_qs);
        QCOMPARE(result.incidentTitle, std::optional<QString>(u"Console sign-in unavailable"_qs));

        server.setRoute("/feed.xml", FakeRoute::text("<rss>\xc3\x28</rss>"));
        result = QCoro::waitFor(reader.fetch(service(ProviderKind::Xai)));
        QCOMPARE(result.indicator, Indicator::Unknown);
        QCOMPARE(result.description, u"Decode error"_qs);

        server.setRoute("/feed.xml", FakeRoute::text("oops", 500));
        result = QCoro::waitFor(reader.fetch(service(ProviderKind::Xai)));
        QCOMPARE(result.description, u"HTTP 500"_qs);
    }
};

QTEST_GUILESS_MAIN(TestXAIProvider)
#include "tst_xaiprovider.moc"
