#include "providers/common/feedscan.h"
#include "providers/common/feedstory.h"

#include <QJsonValue>
#include <QTest>
#include <QTimeZone>

#include <climits>

namespace {

const QDateTime kNow = QDateTime(QDate(2026, 11, 30), QTime(12, 0), QTimeZone::utc());
constexpr int kUnknown = INT_MIN;

QDateTime minutesFromNow(int minutes)
{
    return minutes == kUnknown ? QDateTime() : kNow.addSecs(qint64(minutes) * 60);
}

QString iso(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODate) : u"-"_qs;
}

} // namespace

// The rules every provider's story follows: which maintenance windows are told, and how
// times and feed text are read.
class TestFeedStory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void currentWindows_data()
    {
        QTest::addColumn<bool>("inProgress");
        QTest::addColumn<int>("startsIn"); // minutes from now
        QTest::addColumn<int>("endsIn");
        QTest::addColumn<bool>("told");
        constexpr int day = 24 * 60;
        QTest::newRow("in progress past its planned end") << true << -2 * day << -60 << true;
        QTest::newRow("in progress, times unknown") << true << kUnknown << kUnknown << true;
        QTest::newRow("starts at the horizon") << false << 7 * day << 7 * day + 60 << true;
        QTest::newRow("starts after the horizon") << false << 7 * day + 1 << 7 * day + 60 << false;
        QTest::newRow("not marked started, planned time lasting") << false << -60 << 60 << true;
        QTest::newRow("not marked started, no end") << false << -60 << kUnknown << true;
        QTest::newRow("planned time over") << false << -180 << -60 << false;
        QTest::newRow("start unknown") << false << kUnknown << 60 << false;
    }

    void currentWindows()
    {
        QFETCH(bool, inProgress);
        QFETCH(int, startsIn);
        QFETCH(int, endsIn);
        Maintenance window;
        window.title = u"Upgrade"_qs;
        window.status = inProgress ? Maintenance::Status::InProgress : Maintenance::Status::Scheduled;
        window.startsAt = minutesFromNow(startsIn);
        window.endsAt = minutesFromNow(endsIn);
        Incident incident;
        incident.title = u"Outage"_qs;

        ServiceStatusResult result;
        result.maintenances = {window, window}; // a previous story is replaced, not added to
        FeedStory::tell(result, {{incident}, {window}}, kNow);
        QCOMPARE(result.incidents, QList{incident});
        QTEST(!result.maintenances.isEmpty(), "told");
        QVERIFY(result.maintenances.size() <= 1);
    }

    // Values read as ISO text ("iso"), seconds since the epoch ("s", "ms") or an RSS date ("rss").
    void instants_data()
    {
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("as");
        QTest::addColumn<QString>("utc");
        QTest::newRow("ISO with milliseconds")
            << QJsonValue(u"2026-11-30T10:04:11.000Z"_qs) << u"iso"_qs << u"2026-11-30T10:04:11Z"_qs;
        QTest::newRow("ISO with an offset")
            << QJsonValue(u"2026-11-30T08:00:00+01:00"_qs) << u"iso"_qs << u"2026-11-30T07:00:00Z"_qs;
        QTest::newRow("ISO without an offset is UTC")
            << QJsonValue(u"2026-11-30T08:00:00"_qs) << u"iso"_qs << u"2026-11-30T08:00:00Z"_qs;
        QTest::newRow("not ISO") << QJsonValue(u"yesterday"_qs) << u"iso"_qs << u"-"_qs;
        QTest::newRow("ISO wanted, number given") << QJsonValue(1764496800) << u"iso"_qs << u"-"_qs;
        QTest::newRow("seconds as text") << QJsonValue(u"1764496800"_qs) << u"s"_qs << u"2025-11-30T10:00:00Z"_qs;
        QTest::newRow("seconds as a number") << QJsonValue(1764496800) << u"s"_qs << u"2025-11-30T10:00:00Z"_qs;
        QTest::newRow("seconds beyond any calendar") << QJsonValue(1e300) << u"s"_qs << u"-"_qs;
        QTest::newRow("milliseconds") << QJsonValue(1764496800123.0) << u"ms"_qs << u"2025-11-30T10:00:00Z"_qs;
        QTest::newRow("GMT") << QJsonValue(u"Tue, 10 Jun 2025 14:05:00 GMT"_qs) << u"rss"_qs
                             << u"2025-06-10T14:05:00Z"_qs;
        QTest::newRow("GMT with an offset")
            << QJsonValue(u"Tue, 10 Jun 2025 14:05:00 GMT+02:00"_qs) << u"rss"_qs << u"2025-06-10T12:05:00Z"_qs;
        QTest::newRow("military Z, as Azure writes it")
            << QJsonValue(u"Sun, 30 Nov 2026 09:45:00 Z"_qs) << u"rss"_qs << u"2026-11-30T09:45:00Z"_qs;
        QTest::newRow("trailing words") << QJsonValue(u"Tue, 10 Jun 2025 14:05:00 GMT and more"_qs) << u"rss"_qs
                                        << u"-"_qs;
    }

    void instants()
    {
        QFETCH(QJsonValue, value);
        QFETCH(QString, as);
        const QDateTime time = as == u"iso"_qs ? LenientJson::isoInstant(value)
                               : as == u"rss"_qs
                                   ? FeedScan::pubDate(value.toString()).value_or(QDateTime())
                                   : LenientJson::epochInstant(value, as == u"s"_qs
                                                                          ? LenientJson::EpochUnit::Seconds
                                                                          : LenientJson::EpochUnit::Milliseconds);
        QTEST(iso(time), "utc");
        QVERIFY(!time.isValid() || time.timeSpec() == Qt::UTC);
    }

    void plainText_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("text");
        QTest::newRow("paragraphs and breaks")
            << u"<p>Status: Investigating</p><p>We are <b>looking</b>\n   into it.<br/>More soon.</p>"_qs
            << u"Status: Investigating\nWe are looking into it.\nMore soon."_qs;
        QTest::newRow("escaped markup") << u"&lt;p&gt;Latency &amp;amp; errors&lt;/p&gt;&lt;p&gt;Fixed.&lt;/p&gt;"_qs
                                        << u"Latency & errors\nFixed."_qs;
        QTest::newRow("references") << u"Caf&#233; &#x41;&nbsp;&quot;b&quot; &apos;c&apos; &bogus; &#0; &"_qs
                                    << u"Caf\u00e9 A \"b\" 'c' &bogus; &#0; &"_qs;
        QTest::newRow("a lone angle bracket is text")
            << u"latency < 1 s, <p>then > 2 s"_qs << u"latency < 1 s,\nthen > 2 s"_qs;
        QTest::newRow("unclosed tag") << u"ok <p"_qs << u"ok <p"_qs;
        QTest::newRow("plain text keeps its lines")
            << u"Planned work.\r\n\nDetails soon."_qs << u"Planned work.\nDetails soon."_qs;
    }

    void plainText()
    {
        QFETCH(QString, html);
        QTEST(FeedScan::plainText(html), "text");
    }
};

QTEST_GUILESS_MAIN(TestFeedStory)
#include "tst_feedstory.moc"
