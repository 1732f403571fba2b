#include "providers/xaiprovider.h"

#include "readertesting.h"

#include <QTimeZone>

using namespace ReaderTesting;

namespace {

const QDateTime kNow = QDateTime(QDate(2026, 11, 30), QTime(12, 0), QTimeZone::utc());

QString item(const QString &title, const QString &status, const QString &severity = {}, const QString &extra = {})
{
    const QString titleElement = title.isNull() ? QString() : u"<title>"_qs + title + u"</title>"_qs;
    return u"<item>"_qs + titleElement + u"<description><![CDATA[<p>Status: "_qs + status + u"</p><p>Severity: "_qs
           + severity + u"</p>]]></description>"_qs + extra + u"</item>"_qs;
}

QString published(qint64 hoursAgo)
{
    return u"<pubDate>"_qs + QLocale::c().toString(kNow.addSecs(-hoursAgo * 3600), u"ddd, dd MMM yyyy HH:mm:ss"_qs)
           + u" GMT</pubDate>"_qs;
}

} // namespace

class TestXAIProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each open incident as "title/indicator", with "/maintenance" when flagged.
    void activeIncidents_data()
    {
        QTest::addColumn<QString>("feed");
        QTest::addColumn<QStringList>("incidents");
        QTest::newRow("closed items dropped, any case")
            << item(u"A"_qs, u"Resolved"_qs) + item(u"B"_qs, u"postmortem"_qs) + item(u"C"_qs, u"COMPLETED"_qs)
                   + item(u"D"_qs, u"Investigating"_qs)
            << QStringList{u"D/minor"_qs};
        QTest::newRow("age limit")
            << item(u"old"_qs, u"Identified"_qs, {}, published(73)) + item(u"recent"_qs, u"Identified"_qs, {}, published(71))
                   + item(u"future"_qs, u"Identified"_qs, {}, published(-1))
                   + item(u"garbled date"_qs, u"Identified"_qs, {}, u"<pubDate>yesterday</pubDate>"_qs)
            << QStringList{u"recent/minor"_qs, u"future/minor"_qs, u"garbled date/minor"_qs};
        // Keywords are looked for in the severity and the title joined by a space.
        QTest::newRow("grading and maintenance")
            << item(u"API"_qs, u"Identified"_qs, u"Major Outage"_qs) + item(u"outage report"_qs, u"Identified"_qs, u"major"_qs)
                   + item(u"Chat"_qs, u"Identified"_qs, u"OUTAGE"_qs) + item(u"Billing"_qs, u"Identified"_qs, u"Maintenance"_qs)
                   + item(u"Upgrade"_qs, u"scheduled maintenance"_qs)
            << QStringList{u"API/critical"_qs, u"outage report/critical"_qs, u"Chat/major"_qs, u"Billing/minor/maintenance"_qs,
                           u"Upgrade/minor/maintenance"_qs};
        QTest::newRow("no title, no description")
            << item(QString(), u"Investigating"_qs) + u"<item><title>Bare</title></item>"_qs
            << QStringList{u"Active incident/minor"_qs, u"Bare/minor"_qs};
    }

    void activeIncidents()
    {
        QFETCH(QString, feed);
        QStringList got;
        for (const XAIProvider::Incident &incident : XAIProvider::activeIncidents(feed, kNow))
            got.append(incident.title + u'/' + indicatorName(incident.indicator)
                       + (incident.isMaintenance ? u"/maintenance"_qs : QString()));
        QTEST(got, "incidents");
    }

    void fieldsAndDates()
    {
        QCOMPARE(XAIProvider::field(u"Status", u"<p>Status: \tInvestigating </p>"), u"Investigating"_qs);
        QCOMPARE(XAIProvider::field(u"Status", u"Status: Monitoring\r\nSeverity: Minor"), u"Monitoring"_qs);
        QCOMPARE(XAIProvider::parsePubDate(u"Tue, 10 Jun 2025 14:05:00 GMT+02:00").value_or(QDateTime()).toUTC(),
                 QDateTime(QDate(2025, 6, 10), QTime(12, 5), QTimeZone::utc()));
        QCOMPARE(XAIProvider::parsePubDate(u"Tue, 10 Jun 2025 14:05:00 GMT and more"), std::nullopt);
    }

    void evaluatePicksTheFirstWorst()
    {
        const QList<XAIProvider::Incident> incidents{
            {u"a"_qs, Indicator::Minor, false}, {u"b"_qs, Indicator::Critical, true}, {u"c"_qs, Indicator::Critical, false}};
        QCOMPARE(graded(XAIProvider::evaluate(service(ProviderKind::Xai), incidents)),
                 u"critical: b (+2 more) [b] (maintenance)"_qs);
    }

    void throughTheServer()
    {
        FeedServer server;
        server.setRoute("/feed.xml", FakeRoute::text(fixture(u"xai/feed.xml"_qs)));
        XAIProvider reader{HttpSession()};
        QCOMPARE(check(reader, ProviderKind::Xai),
                 u"critical: Console sign-in unavailable (+1 more) [Console sign-in unavailable]"_qs);
        server.setRoute("/feed.xml", FakeRoute::text("<rss>\xc3\x28</rss>"));
        QCOMPARE(check(reader, ProviderKind::Xai), u"unknown: Decode error"_qs);
    }
};

QTEST_GUILESS_MAIN(TestXAIProvider)
#include "tst_xaiprovider.moc"
