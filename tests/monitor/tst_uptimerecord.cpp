#include "core/service.h"
#include "monitor/uptimerecord.h"

#include "testfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QDateTime start(QDate(2026, 3, 1), QTime(0, 0), QTimeZone::utc());

QDateTime at(int day, int hour, int minute = 0)
{
    return start.addDays(day).addSecs(qint64(hour) * 3600 + qint64(minute) * 60);
}

} // namespace

// The long record of each service's hours: kept across restarts and clock changes, small,
// and never in the way of a start.
class TestUptimeRecord : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QDateTime m_now;

    QString path() const { return m_dir.filePath(u"uptime.json"_s); }

    std::unique_ptr<UptimeRecord> open()
    {
        return std::make_unique<UptimeRecord>(path(), [this] { return m_now; });
    }

private Q_SLOTS:
    void init()
    {
        QFile::remove(path());
        m_now = start;
    }

    // Ten days of checks every ten minutes: A has an outage on day 2, cannot be read for
    // three hours on day 6 and is degraded for an hour on day 8; C is removed on day 4.
    // The program restarts halfway.
    void tenDaysWithARestart()
    {
        const QUuid a = QUuid::createUuid();
        const QUuid b = QUuid::createUuid();
        const QUuid c = QUuid::createUuid();
        std::unique_ptr<UptimeRecord> record = open();
        int writes = 0;
        QByteArray written;
        for (m_now = start; m_now < at(10, 0); m_now = m_now.addSecs(600)) {
            const qint64 day = start.daysTo(m_now);
            const int hour = m_now.time().hour();
            Indicator state = Indicator::None;
            if (day == 2 && hour >= 10 && hour < 14)
                state = Indicator::Major;
            else if (day == 6 && hour < 3)
                state = Indicator::Unknown;
            else if (day == 8 && hour == 3)
                state = Indicator::Minor;
            record->add(a, state, m_now);
            record->add(b, Indicator::None, m_now);
            if (day < 4)
                record->add(c, Indicator::None, m_now);
            if (m_now == at(4, 0))
                record->forget({c});
            QVERIFY(!record->saveIfDue());
            if (const QByteArray now = readFile(path()); now != written) {
                written = now;
                ++writes;
            }
            if (m_now == at(5, 12, 30)) {
                const UptimeRecord::Series before = record->series(a);
                QVERIFY(!record->save());
                record = open();
                QCOMPARE(record->found(), UptimeRecord::Found::Record);
                QCOMPARE(record->series(a), before);
            }
        }
        // hourly, once more at the restart and once at the start after it
        QVERIFY2(writes <= 10 * 24 + 2, qPrintable(QString::number(writes)));
        QVERIFY(!written.contains(uuidText(c).toLatin1()));

        // The week from day 3 on: 1008 checks, 18 unreadable, 6 degraded.
        const UptimeRecord::Series series = record->series(a);
        QCOMPARE(*series.share(m_now.addDays(-7), m_now), 984.0 / 990.0);
        QCOMPARE(*record->share(a, std::chrono::days(7)), 984.0 / 990.0);
        QCOMPARE(*record->share(b, std::chrono::days(7)), 1.0);
        QVERIFY(!record->share(a, std::chrono::days(30)));
        QVERIFY(record->series(c).hours.isEmpty());
        // Every hour of the ten days, across the restart: six checks each, none counted
        // while the feed could not be read.
        QCOMPARE(series.firstHour, start.toSecsSinceEpoch() / 3600);
        QCOMPARE(series.hours.size(), 10 * 24);
        for (qsizetype i = 0; i < series.hours.size(); ++i) {
            const qsizetype day = i / 24;
            const qsizetype hour = i % 24;
            UptimeRecord::Hour expected{Indicator::None, 6, 6};
            if (day == 2 && hour >= 10 && hour < 14)
                expected = {Indicator::Major, 6, 0};
            else if (day == 6 && hour < 3)
                expected = {std::nullopt, 0, 0};
            else if (day == 8 && hour == 3)
                expected = {Indicator::Minor, 6, 0};
            QVERIFY2(series.hours.at(i) == expected, qPrintable(u"day %1, %2 o'clock"_s.arg(day).arg(hour)));
        }
    }

    // 119 services, 90 days of checks every quarter of an hour with every state.
    void fullRecordStaysSmall()
    {
        std::unique_ptr<UptimeRecord> record = open();
        QList<QUuid> ids;
        for (int i = 0; i < 119; ++i)
            ids.append(QUuid::createUuid());
        m_now = at(89, 23, 59);
        for (int hour = 0; hour < 90 * 24; ++hour) {
            for (int minute = 0; minute < 60; minute += 15) {
                for (qsizetype i = 0; i < ids.size(); ++i)
                    record->add(ids.at(i), Indicator((hour + minute / 15 + int(i)) % 5 - 1), at(0, hour, minute));
            }
        }
        QVERIFY(!record->save());
        const qint64 size = QFileInfo(path()).size();
        qInfo("uptime.json for 119 services over 90 days: %lld bytes", size);
        QVERIFY(size < 1'000'000);
        QVERIFY(size <= ids.size() * UptimeRecord::bytesPerServiceAtMost);
        const UptimeRecord::Series last = record->series(ids.last());
        QCOMPARE(last.hours.size(), 90 * 24);
        QCOMPARE(open()->series(ids.last()), last);
    }

    void setAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("aside");
        QTest::newRow("not JSON") << "{\"kind\":\"glinter-up"_ba << u".broken"_s;
        QTest::newRow("damaged hour")
            << R"({"kind":"glinter-uptime","version":1,"services":[{"id":"6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F","since":0,"first":0,"hours":"A!A"}]})"_ba
            << u".broken"_s;
        QTest::newRow("more operational than checked")
            << R"({"kind":"glinter-uptime","version":1,"services":[{"id":"6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F","since":0,"first":0,"hours":"QAB"}]})"_ba
            << u".broken"_s;
        QTest::newRow("a history file") << "[]"_ba << u".foreign"_s;
        QTest::newRow("a later version") << R"({"kind":"glinter-uptime","version":2})"_ba << u".foreign"_s;
    }

    void setAside()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, aside);
        QVERIFY(writeFile(path(), content));
        std::unique_ptr<UptimeRecord> record = open();
        QCOMPARE(record->found(), aside == u".broken"_s ? UptimeRecord::Found::Broken : UptimeRecord::Found::Foreign);
        QCOMPARE(readFile(path() + aside), content);
        QVERIFY(!QFile::exists(path()));
        const QUuid id = QUuid::createUuid();
        record->add(id, Indicator::None, m_now);
        QVERIFY(!record->save());
        QCOMPARE(open()->series(id).hours.size(), 1);
        QFile::remove(path() + aside);
    }

    // A record longer than 90 days (a later version keeping a year, a clock that ran ahead)
    // is read as the 90 days up to the clock's hour; hours ahead of the clock go as after a
    // clock set back. Nothing of it is damage.
    void longerRecordKeepsItsNewestDays_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("ahead"); // hours the newest lies after the clock's hour
        QTest::addColumn<int>("dropped"); // hours cut at the front
        QTest::addColumn<int>("kept");
        QTest::newRow("120 days") << 120 * 24 << 0 << 30 * 24 << 90 * 24;
        QTest::newRow("exactly 90 days") << 90 * 24 << 0 << 0 << 90 * 24;
        QTest::newRow("90 days and an hour") << 90 * 24 + 1 << 0 << 1 << 90 * 24;
        QTest::newRow("newest hours ahead of now") << 90 * 24 + 40 << 30 << 10 << 90 * 24;
        QTest::newRow("short, partly ahead") << 48 << 10 << 0 << 38;
        QTest::newRow("all ahead of now") << 48 << 100 << 0 << 0;
        QTest::newRow("ended 100 days ago") << 24 << -100 * 24 << 0 << 0;
    }

    void longerRecordKeepsItsNewestDays()
    {
        QFETCH(int, length);
        QFETCH(int, ahead);
        QFETCH(int, dropped);
        QFETCH(int, kept);
        m_now = at(200, 12, 30);
        const qint64 nowHour = m_now.toSecsSinceEpoch() / 3600;
        UptimeRecord::Series written;
        written.firstHour = nowHour + ahead - length + 1;
        written.since = QDateTime::fromSecsSinceEpoch(written.firstHour * 3600 + 900, Qt::UTC);
        for (int i = 0; i < length; ++i) {
            const int checks = 1 + i % 100;
            const bool degraded = i % 7 == 0;
            written.hours.append({degraded ? Indicator::Minor : Indicator::None, checks, checks - int(degraded)});
        }
        const QUuid id = QUuid::createUuid();
        QVERIFY(writeFile(path(), UptimeRecord::encode({{id, written}})));

        std::unique_ptr<UptimeRecord> record = open();
        QCOMPARE(record->found(), UptimeRecord::Found::Record);
        QVERIFY(!QFile::exists(path() + u".broken"_s));
        const UptimeRecord::Series read = record->series(id);
        QCOMPARE(read.hours, written.hours.mid(dropped, kept));
        if (kept > 0) {
            QCOMPARE(read.firstHour, written.firstHour + dropped);
            QCOMPARE(read.since,
                     dropped > 0 ? QDateTime::fromSecsSinceEpoch(read.firstHour * 3600, Qt::UTC) : written.since);
        }

        // the next write (another service's check) keeps just what was read
        record->add(QUuid::createUuid(), Indicator::None, m_now);
        QVERIFY(!record->save());
        QCOMPARE(UptimeRecord::decode(readFile(path())).record.value(id), read);
    }

    // What a read gives, the next write keeps: a hand-edited or foreign "since" included.
    void writtenAsRead_data()
    {
        QTest::addColumn<QByteArray>("content");
        const auto file = [](const char *since) -> QByteArray {
            return R"({"kind":"glinter-uptime","version":1,"services":[{"id":"6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F","first":498853,"hours":"EMG","since":)"_ba
                   + since + "}]}";
        };
        QTest::newRow("fraction of a second") << file("1795870800.75");
        QTest::newRow("before 1970, with a fraction") << file("-0.5");
        QTest::newRow("exponent") << file("1.7958708e9");
    }

    void writtenAsRead()
    {
        QFETCH(QByteArray, content);
        const UptimeRecord::Decoded read = UptimeRecord::decode(content);
        QCOMPARE(read.found, UptimeRecord::Found::Record);
        QCOMPARE(UptimeRecord::decode(UptimeRecord::encode(read.record)).record, read.record);
    }

    // Something at the path that cannot be read is neither moved nor written over.
    void unreadableFileIsLeftAlone()
    {
        QVERIFY(QDir().mkpath(path()));
        std::unique_ptr<UptimeRecord> record = open();
        QCOMPARE(record->found(), UptimeRecord::Found::Unreadable);
        record->add(QUuid::createUuid(), Indicator::None, m_now);
        QVERIFY(record->save());
        QVERIFY(QFileInfo(path()).isDir());
        QVERIFY(!QFile::exists(path() + u".broken"_s));
        QVERIFY(QDir().rmdir(path()));
    }

    // A clock set back keeps what was counted in the hours the record holds and drops the
    // hours that now lie ahead; a clock set forward starts afresh past 90 days.
    void clockChanges()
    {
        const QUuid id = QUuid::createUuid();
        std::unique_ptr<UptimeRecord> record = open();
        for (int hour = 0; hour <= 10; ++hour) {
            m_now = at(1, hour);
            record->add(id, Indicator::None, m_now);
        }
        QVERIFY(!record->save());

        m_now = at(1, 5, 30);
        record = open();
        UptimeRecord::Series series = record->series(id);
        QCOMPARE(series.hours.size(), 6);
        record->add(id, Indicator::Major, m_now);
        record->add(id, Indicator::Major, at(0, 23)); // before the record
        series = record->series(id);
        QCOMPARE(series.hours.size(), 6);
        QCOMPARE(series.hours.last(), (UptimeRecord::Hour{Indicator::Major, 2, 1}));
        QCOMPARE(series.since, at(1, 0));

        m_now = at(400, 0);
        record->add(id, Indicator::Minor, m_now);
        record->add(id, Indicator::None, at(400, 1)); // ahead of the clock
        series = record->series(id);
        QCOMPARE(series.hours, QList<UptimeRecord::Hour>({{Indicator::Minor, 1, 0}}));
        QCOMPARE(series.since, m_now);
    }
};

QTEST_GUILESS_MAIN(TestUptimeRecord)
#include "tst_uptimerecord.moc"
