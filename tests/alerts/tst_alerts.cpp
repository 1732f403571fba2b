#include "alerts/alertdecision.h"
#include "alerts/notifier.h"
#include "alerts/webhook.h"
#include "core/settings.h"
#include "core/settingsfile.h"
#include "net/networkenvironment.h"
#include "platform/null/nullnotifications.h"

#include "fakeserver.h"

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

    const Service m_github{QUuid::createUuid(), u"GitHub"_s, QUrl(u"https://www.githubstatus.com"_s),
                           ProviderKind::Statuspage, std::nullopt};
    FakeServer m_server;

private Q_SLOTS:
    void initTestCase() { QVERIFY(NetworkEnvironment::addCaCertificates(FakeServer::caCertificatePath()) > 0); }

    void init()
    {
        for (const char *key :
             {"notificationsEnabled", "notificationMinSeverity", "mutedServiceIDs", "mutedUntil", "webhookURL"})
            SettingsFile::remove(QString::fromLatin1(key));
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
        row("recovery despite the minimum", I::Minor, I::None, "3w",
            "GitHub recovered|All Systems Operational|recovered|1|1");
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
        const int minimum = QString(settings).remove(QRegularExpression(u"\\D"_s)).toInt();
        const AlertSettings given{settings.contains(u'm'), !settings.contains(u'o'),
                                  *indicatorFromStoredNumber(minimum), settings.contains(u'w')};
        const std::optional<Alert> alert = decideAlert(u"GitHub"_s, from, to, u"Busy"_s, given);
        const QString actual = !alert ? QString()
                                      : QStringList{alert->title, alert->body, Webhook::eventWord(alert->event),
                                                    QString::number(alert->notify), QString::number(alert->webhook)}
                                            .join(u'|');
        QCOMPARE(actual, expected);
    }

    // notifyIfChanged reads the settings of the moment and reaches both channels with the
    // service's page and the result's text; a mute, for good or for an hour, silences both.
    void notifyIfChangedSends()
    {
        Settings settings;
        NullNotifications notifications;
        QStringList webhooks;
        Notifier notifier(notifications, settings,
                          [&webhooks](const QUrl &address, WebhookEvent event, const Service &service,
                                      Indicator indicator, const QString &text) {
                              webhooks.append(QStringList{address.host(), Webhook::eventWord(event), service.name,
                                                          indicatorName(indicator), text}
                                                  .join(u'|'));
                          });
        const auto recover = [&] {
            notifyIfChanged(m_github, Indicator::Major, {m_github.id, Indicator::None, u"Fine"_s, {}, {}, false},
                            notifier);
        };
        recover(); // no webhook address
        settings.setWebhookAddress(u" https://hooks.example.com/T1\n"_s);
        recover();
        settings.setMuted(m_github.id, true);
        recover();
        settings.setMuted(m_github.id, false);
        settings.muteUntil(m_github.id, QDateTime::currentDateTimeUtc().addSecs(3600));
        recover();
        const Notification posted{m_github.id, u"GitHub recovered"_s, u"All Systems Operational"_s, m_github.url};
        QCOMPARE(notifications.posted(), (QList<Notification>{posted, posted}));
        QCOMPARE(webhooks, QStringList{u"hooks.example.com|recovered|GitHub|none|Fine"_s});
    }

    // A worsening names the incident its feed tells of; the webhook keeps the description.
    void aWorseningNamesItsIncident()
    {
        Settings settings;
        settings.setWebhookAddress(u"https://hooks.example.com/T1"_s);
        NullNotifications notifications;
        QStringList webhooks;
        Notifier notifier(notifications, settings,
                          [&webhooks](const QUrl &, WebhookEvent, const Service &, Indicator, const QString &text) {
                              webhooks.append(text);
                          });
        ServiceStatusResult worse{m_github.id, Indicator::Major, u"Partial System Outage"_s, {}};
        worse.incidents = {Incident{u"Degraded Actions runs"_s}};
        notifyIfChanged(m_github, Indicator::None, worse, notifier);
        worse.incidentTitle = u"Git operations failing"_s;
        notifyIfChanged(m_github, Indicator::None, worse, notifier);
        worse.incidentTitle.reset();
        worse.incidents.clear();
        notifyIfChanged(m_github, Indicator::None, worse, notifier);
        QStringList bodies;
        for (const Notification &posted : notifications.posted())
            bodies.append(posted.body);
        QCOMPARE(bodies,
                 (QStringList{u"Degraded Actions runs"_s, u"Git operations failing"_s, u"Partial System Outage"_s}));
        QCOMPARE(webhooks, QStringList(3, u"Partial System Outage"_s));
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
        QTEST(QCoro::waitFor(Webhook::postJSON(Webhook::testPayload(), m_server.httpsUrl(u"/hook"_s), {500ms, 500ms})),
              "delivered");
        const FakeRequest request = m_server.requests().first();
        QCOMPARE(request.method + ' ' + request.headers.value("content-type"), QByteArray("POST application/json"));
        QCOMPARE(QJsonDocument::fromJson(request.body).object(), Webhook::testPayload());
    }

    // An alert goes to the address as posted, the message as "text" and "content" beside
    // every member of the event.
    void sendPostsThePayload()
    {
        m_server.clearRequests();
        m_server.setRoute("/hook", FakeRoute::text({}, 204));
        Webhook::send(m_server.httpUrl(u"/hook"_s), WebhookEvent::Down, m_github, Indicator::Major, u"Busy"_s);
        QTRY_COMPARE_WITH_TIMEOUT(Webhook::postsInFlight(), 0, 5000);
        QCOMPARE(m_server.requests().size(), 1);
        const QString text = u"\U0001F7E0 GitHub \u2014 Partial Outage: Busy"_s;
        QCOMPARE(QJsonDocument::fromJson(m_server.requests().first().body).object(),
                 (QJsonObject{{u"text"_s, text},
                              {u"content"_s, text},
                              {u"event"_s, u"down"_s},
                              {u"service"_s, u"GitHub"_s},
                              {u"severity"_s, u"major"_s},
                              {u"description"_s, u"Busy"_s},
                              {u"url"_s, u"https://www.githubstatus.com"_s}}));
    }
};

QTEST_GUILESS_MAIN(TestAlerts)
#include "tst_alerts.moc"
