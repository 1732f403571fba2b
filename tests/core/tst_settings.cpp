#include "core/preferences.h"
#include "core/service.h"
#include "core/settings.h"

#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// The preferences as the program reads them: what a hand edit or an older version left in
// the file, what the notification's mute writes, and who hears of a change.
class TestSettings : public QObject
{
    Q_OBJECT

    const QUuid m_service = QUuid::createUuid();

private Q_SLOTS:
    void init()
    {
        for (const char *key : {"refreshInterval", "notificationsEnabled", "notificationMinSeverity", "mutedServiceIDs",
                                "mutedUntil", "webhookURL", "awsRegions"})
            Preferences::remove(QString::fromLatin1(key));
    }

    // Unusable values give the default; hand-written extremes of the interval are held
    // between half a minute (seconds would hammer every vendor) and a day (months overflow
    // timers).
    void unusableValuesReadAsDefaults()
    {
        const Settings settings;
        for (const auto &[stored, interval] :
             {std::pair(QVariant(-5), 300s), std::pair(QVariant(u"soon"_s), 300s), std::pair(QVariant(60), 60s),
              std::pair(QVariant(0.5), 30s), std::pair(QVariant(3e6), std::chrono::seconds(24h))}) {
            Preferences::setValue(u"refreshInterval"_s, stored);
            QCOMPARE(settings.refreshInterval(), std::chrono::milliseconds(interval));
        }
        for (const QVariant &bad : {QVariant(7), QVariant(u"high"_s)}) {
            Preferences::setValue(u"notificationMinSeverity"_s, bad);
            Preferences::setValue(u"notificationsEnabled"_s, bad);
            QCOMPARE(std::pair(settings.notificationMinSeverity(), settings.notificationsEnabled()),
                     std::pair(Indicator::Minor, true));
        }
        Preferences::setValue(u"mutedServiceIDs"_s, QStringList{u"nope"_s, uuidText(m_service).toLower()});
        QCOMPARE(settings.mutes().always, QSet<QUuid>{m_service});
        Preferences::setValue(u"awsRegions"_s, 42);
        QVERIFY(settings.awsRegions().isEmpty());
    }

    // A timed mute holds while now < its end, whatever zone the end was written in; what
    // cannot be read as an identifier and a zoned time mutes nothing.
    void timedMuteReading_data()
    {
        QTest::addColumn<QVariant>("stored"); // %1 stands for the service's identifier
        QTest::addColumn<bool>("muted");
        const auto row = [](const char *name, const QVariant &stored, bool muted) {
            QTest::newRow(name) << stored << muted;
        };
        row("running", u"%1 2030-01-01T12:30:00Z"_s, true);
        row("ends now", u"%1 2030-01-01T12:00:00Z"_s, false);
        row("written with an offset", u"%1 2030-01-01T14:30:00+02:00"_s, true);
        row("an ended entry beside a running one",
            QStringList{u"%1 2030-01-01T11:00:00Z"_s, u"%1 2030-01-01T13:00:00Z"_s}, true);
        row("no time zone", u"%1 2030-01-01T12:30:00"_s, false);
        row("not an identifier", u"GitHub 2030-01-01T12:30:00Z"_s, false);
        row("not text", 7, false);
    }

    void timedMuteReading()
    {
        QFETCH(QVariant, stored);
        const QDateTime now(QDate(2030, 1, 1), QTime(12, 0), Qt::UTC);
        QStringList texts = stored.toStringList();
        for (QString &text : texts)
            text = text.arg(uuidText(m_service));
        Preferences::setValue(u"mutedUntil"_s, stored.typeId() == QMetaType::Int ? stored : QVariant(texts));
        const Settings settings;
        QTEST(settings.isMuted(m_service, now), "muted");
        QVERIFY(!settings.isMuted(QUuid::createUuid(), now));
    }

    // The mute of a notification is written to the second, rounded up, for the next run;
    // ended entries leave the file; unmuting ends it early and leaves no permanent mute; and
    // when it ends by itself, those who show it hear of it.
    void timedMuteIsStoredAndEndsByItself()
    {
        Settings settings;
        QSignalSpy changes(&settings, &Settings::mutesChanged);
        const QDateTime second = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
        const QDateTime now = second.addMSecs(250);
        const QUuid other = QUuid::createUuid();
        settings.muteUntil(other, now.addSecs(-1), now.addSecs(-3600)); // ended by now
        settings.muteUntil(m_service, now.addSecs(3600), now);
        QFile file(preferencesFile()->fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray line = "mutedUntil=" + uuidText(m_service).toLatin1() + ' '
                                + second.addSecs(3601).toString(Qt::ISODate).toLatin1() + '\n';
        QVERIFY2(file.readAll().contains(line), line.constData());
        QVERIFY(Settings().isMuted(m_service, now));
        QVERIFY(!Settings().isMuted(m_service, now.addSecs(3601)));

        settings.setMuted(m_service, false, now);
        QVERIFY(!settings.isMuted(m_service, now));

        settings.muteUntil(m_service, QDateTime::currentDateTimeUtc().addMSecs(300));
        QVERIFY(settings.isMuted(m_service));
        changes.clear();
        QTRY_COMPARE(changes.size(), 1);
        QVERIFY(!settings.isMuted(m_service));
    }

    // Only an http(s) address with a host is used, blanks around it dropped; the address is
    // kept as typed.
    void webhookAddress()
    {
        Settings settings;
        for (const QString &unusable : {u"  \n "_s, u"ftp://hooks.example.com/x"_s, u"HTTPS://hooks.example.com/x"_s,
                                        u"https:///x"_s, u"httpx://hooks.example.com/x"_s}) {
            settings.setWebhookAddress(unusable);
            QCOMPARE(settings.webhookAddress(), unusable);
            QVERIFY2(!settings.webhookURL(), qPrintable(unusable));
        }
        settings.setWebhookAddress(u" \thttp://hooks.example.com/x\r\n"_s);
        QCOMPARE(settings.webhookURL(), QUrl(u"http://hooks.example.com/x"_s));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
