#include "alerts/alertdecision.h"
#include "alerts/notificationprefs.h"
#include "alerts/notifier.h"
#include "alerts/webhook.h"
#include "alerts/webhookprefs.h"
#include "core/preferences.h"
#include "fakeserver.h"
#include "platform/null/nullnotifications.h"
#include "net/networkenvironment.h"

#include <QJsonDocument>
#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(Indicator)

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// Which changes alert on which channel, and what the webhook channel sends.
class TestAlerts : public QObject
{
    Q_OBJECT

    const Service m_github{QUuid::createUuid(), QStringLiteral("GitHub"), QUrl(QStringLiteral("https://www.githubstatus.com")),
                           ProviderKind::Statuspage, std::nullopt};
    FakeServer m_server;

private Q_SLOTS:
    void initTestCase() { QVERIFY(NetworkEnvironment::addCaCertificates(FakeServer::caCertificatePath()) > 0); }

    void init()
    {
        for (const char *key : {"notificationsEnabled", "notificationMinSeverity", "mutedServiceIDs", "mutedUntil", "webhookURL"})
            Preferences::remove(QString::fromLatin1(key));
    }

    void decide_data()
    {
        QTest::addColumn<Indicator>("from");
        QTest::addColumn<Indicator>("to");
        QTest::addColumn<QString>("settings"); // m: muted, o: switched off, w: webhook, digit: minimum
        QTest::addColumn<QString>("expected"); // title|body|event|notify|webhook, or empty for nothing

        using I = Indicator;
        const auto row = [](const char *name, I from, I to, const char *settings, const char *expected) {
            QTest::newRow(name) << from << to << QString::fromUtf8(settings) << QString::fromUtf8(expected);
        };
        row("none to major", I::None, I::Major, "1w", "GitHub: Partial Outage|Busy|down|1|1");
        row("major to critical", I::Major, I::Critical, "3", "GitHub: Major Outage|Busy|down|1|0");
        row("below the minimum", I::None, I::Minor, "2w", "");
        row("recovery despite the minimum", I::Minor, I::None, "3w", "GitHub recovered|All Systems Operational|recovered|1|1");
        row("critical to minor", I::Critical, I::Minor, "1w", "");
        row("no change", I::Major, I::Major, "1w", "");
        row("muted", I::Major, I::None, "m1w", "");
        row("switched off, webhook on", I::None, I::Major, "o1w", "GitHub: Partial Outage|Busy|down|0|1");
    }

    void decide()
    {
        QFETCH(Indicator, from);
        QFETCH(Indicator, to);
        QFETCH(QString, settings);
        QFETCH(QString, expected);
        const int minimum = QString(settings).remove(QRegularExpression(QStringLiteral("\\D"))).toInt();
        const AlertSettings given{settings.contains(u'm'), !settings.contains(u'o'), *indicatorFromRaw(minimum),
                                  settings.contains(u'w')};
        const std::optional<Alert> alert = decideAlert(QStringLiteral("GitHub"), from, to, QStringLiteral("Busy"), given);
        const QString actual = !alert ? QString()
                                      : QStringList{alert->title, alert->body, Webhook::eventWord(alert->event),
                                                    QString::number(alert->notify), QString::number(alert->webhook)}
                                            .join(u'|');
        QCOMPARE(actual, expected);
    }

    // notifyIfChanged reads the settings of the moment (unreadable ones as the defaults) and
    // reaches both channels with the service's page and the result's text.
    void notifyIfChangedSends()
    {
        for (const QVariant &bad : {QVariant(7), QVariant(u"high"_s)}) {
            Preferences::setValue(u"notificationMinSeverity"_s, bad);
            Preferences::setValue(u"notificationsEnabled"_s, bad);
            QCOMPARE(std::pair(NotificationPrefs::minSeverity(), NotificationPrefs::enabled()), std::pair(Indicator::Minor, true));
        }
        NullNotifications notifications;
        QStringList webhooks;
        Notifier notifier(notifications, [&webhooks](WebhookEvent event, const Service &service, Indicator indicator, const QString &text) {
            webhooks.append(QStringList{Webhook::eventWord(event), service.name, indicatorName(indicator), text}.join(u'|'));
        });
        const auto recover = [&] { notifyIfChanged(m_github, Indicator::Major, {m_github.id, Indicator::None, u"Fine"_s, {}, {}, false}, notifier); };
        recover(); // no webhook address
        WebhookPrefs::setAddress(u" https://hooks.example.com/T1\n"_s);
        recover();
        // Muted ids are read in any case, unreadable ones dropped.
        Preferences::setValue(u"mutedServiceIDs"_s, QStringList{u"nope"_s, uuidText(m_github.id).toLower()});
        QCOMPARE(NotificationPrefs::mutedServiceIDs(), QSet<QUuid>{m_github.id});
        recover();
        const Notification posted{m_github.id, u"GitHub recovered"_s, u"All Systems Operational"_s, m_github.url};
        QCOMPARE(notifications.posted(), (QList<Notification>{posted, posted}));
        QCOMPARE(webhooks, QStringList{u"recovered|GitHub|none|Fine"_s});
    }

    // A timed mute holds while now < its end, whatever zone the end was written in; what
    // cannot be read as an identifier and a zoned time mutes nothing.
    void timedMuteReading_data()
    {
        QTest::addColumn<QVariant>("stored"); // %1 stands for the service's identifier
        QTest::addColumn<bool>("muted");
        const auto row = [](const char *name, const QVariant &stored, bool muted) { QTest::newRow(name) << stored << muted; };
        row("running", u"%1 2030-01-01T12:30:00Z"_s, true);
        row("ends now", u"%1 2030-01-01T12:00:00Z"_s, false);
        row("ended", u"%1 2030-01-01T11:59:59Z"_s, false);
        row("written with an offset", u"%1 2030-01-01T14:30:00+02:00"_s, true);
        row("an ended entry beside a running one", QStringList{u"%1 2030-01-01T11:00:00Z"_s, u"%1 2030-01-01T13:00:00Z"_s}, true);
        row("no time zone", u"%1 2030-01-01T12:30:00"_s, false);
        row("not a time", u"%1 soon"_s, false);
        row("not an identifier", u"GitHub 2030-01-01T12:30:00Z"_s, false);
        row("not text", 7, false);
    }

    void timedMuteReading()
    {
        QFETCH(QVariant, stored);
        const QDateTime now(QDate(2030, 1, 1), QTime(12, 0), Qt::UTC);
        const QString id = uuidText(m_github.id);
        QStringList texts = stored.toStringList();
        for (QString &text : texts)
            text = text.arg(id);
        Preferences::setValue(u"mutedUntil"_s, stored.typeId() == QMetaType::Int ? stored : QVariant(texts));
        QTEST(AlertSettings::current(m_github.id, now).muted, "muted");
        QVERIFY(!AlertSettings::current(QUuid::createUuid(), now).muted);
    }

    // A mute from a notification silences both channels until it ends, across a restart;
    // the bell's unmute ends it early. It leaves the permanent mute alone.
    void timedMuteSilencesUntilItEnds()
    {
        NullNotifications notifications;
        int webhooks = 0;
        Notifier notifier(notifications, [&webhooks](WebhookEvent, const Service &, Indicator, const QString &) { ++webhooks; });
        WebhookPrefs::setAddress(u"https://hooks.example.com/T1"_s);
        const auto worsen = [&] { notifyIfChanged(m_github, Indicator::None, {m_github.id, Indicator::Major, u"Busy"_s, {}, {}, false}, notifier); };

        const QDateTime second = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch(), Qt::UTC);
        const QDateTime now = second.addMSecs(250);
        const QUuid other = QUuid::createUuid();
        NotificationPrefs::muteUntil(other, now.addSecs(-1), now.addSecs(-3600)); // ended by now
        NotificationPrefs::muteUntil(m_github.id, now.addSecs(3600), now);
        worsen();
        QCOMPARE(std::pair(notifications.posted().size(), webhooks), std::pair(qsizetype(0), 0));
        // In the user's file for the next run, to the second; the ended entry is gone.
        QFile file(Preferences::settings()->fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray line = "mutedUntil=" + uuidText(m_github.id).toLatin1() + ' '
            + second.addSecs(3601).toString(Qt::ISODate).toLatin1() + '\n';
        QVERIFY2(file.readAll().contains(line), line.constData());
        QVERIFY(!AlertSettings::current(m_github.id, now.addSecs(3601)).muted);

        NotificationPrefs::setMuted(m_github.id, true, now);
        NotificationPrefs::setMuted(m_github.id, false, now);
        QVERIFY(!NotificationPrefs::isMuted(m_github.id, now));
        worsen();
        QCOMPARE(std::pair(notifications.posted().size(), webhooks), std::pair(qsizetype(1), 1));
    }

    // The message goes out as "text" and "content", beside every member of the event.
    void payload()
    {
        const QString text = u"\U0001F7E0 GitHub \u2014 Partial Outage: Busy"_s;
        QCOMPARE(Webhook::payload(WebhookEvent::Down, m_github, Indicator::Major, u"Busy"_s),
                 (QJsonObject{{u"text"_s, text}, {u"content"_s, text}, {u"event"_s, u"down"_s}, {u"service"_s, u"GitHub"_s},
                              {u"severity"_s, u"major"_s}, {u"description"_s, u"Busy"_s},
                              {u"url"_s, u"https://www.githubstatus.com"_s}}));
    }

    // Statuses Qt reports as errors, also after a redirect, and no answer are no delivery.
    void post_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("location");
        QTest::addColumn<bool>("delivered");
        QTest::newRow("301 ending in a 2xx") << 301 << QByteArray("/landed") << true;
        QTest::newRow("301 ending in a 404") << 301 << QByteArray("/nowhere") << false;
        QTest::newRow("404") << 404 << QByteArray() << false;
        QTest::newRow("silent") << 0 << QByteArray() << false;
    }

    void post()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, location);
        FakeRoute route = FakeRoute::text("x", status);
        route.location = location;
        route.stall = status == 0;
        m_server.clearRequests();
        m_server.setRoute("/hook", route);
        m_server.setRoute("/landed", FakeRoute::text({}, 204));
        QTEST(QCoro::waitFor(Webhook::postJSON(Webhook::testPayload(), m_server.httpsUrl(QStringLiteral("/hook")), {500ms, 500ms})),
              "delivered");
        const FakeRequest request = m_server.requests().first();
        QCOMPARE(request.method + ' ' + request.headers.value("content-type"), QByteArray("POST application/json"));
        QCOMPARE(QJsonDocument::fromJson(request.body).object(), Webhook::testPayload());
    }

    // Only an http(s) address with a host is used, blanks around it dropped; the address
    // is kept as typed.
    void sendOnlyToAUsableAddress()
    {
        m_server.clearRequests();
        m_server.setRoute("/hook", FakeRoute::text({}, 204));
        for (const QString &unusable : {u"  \n "_s, u"ftp://hooks.example.com/x"_s, u"HTTPS://hooks.example.com/x"_s,
                                        u"https:///x"_s, u"httpx://hooks.example.com/x"_s}) {
            WebhookPrefs::setAddress(unusable);
            QCOMPARE(WebhookPrefs::rawAddress(), unusable);
            QVERIFY(!WebhookPrefs::isConfigured());
            Webhook::send(WebhookEvent::Down, m_github, Indicator::Major, QStringLiteral("never sent"));
        }
        WebhookPrefs::setAddress(u" \t"_s + m_server.httpUrl(QStringLiteral("/hook")).toString() + u"\r\n"_s);
        Webhook::send(WebhookEvent::Recovered, m_github, Indicator::None, QStringLiteral("Fine"));
        QTRY_COMPARE_WITH_TIMEOUT(Webhook::postsInFlight(), 0, 5000);
        QCOMPARE(m_server.requests().size(), 1);
        QCOMPARE(QJsonDocument::fromJson(m_server.requests().first().body).object(),
                 Webhook::payload(WebhookEvent::Recovered, m_github, Indicator::None, QStringLiteral("Fine")));
    }
};

QTEST_GUILESS_MAIN(TestAlerts)
#include "tst_alerts.moc"
