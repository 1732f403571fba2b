#include "alerts/alertdecision.h"
#include "alerts/notificationprefs.h"
#include "alerts/notifier.h"
#include "alerts/webhookprefs.h"
#include "core/preferences.h"
#include "platform/null/nullnotifications.h"

#include <QTest>

namespace {

struct SentWebhook {
    WebhookEvent event;
    QString service;
    Indicator indicator;
    QString message;

    bool operator==(const SentWebhook &) const = default;
};

Service github()
{
    return Service{QUuid::fromString(QStringLiteral("6F1C2D2E-8A39-4E5B-9B1A-0E7A3C1D2B4F")),
                   QStringLiteral("GitHub"), QUrl(QStringLiteral("https://www.githubstatus.com")),
                   ProviderKind::Statuspage, std::nullopt};
}

ServiceStatusResult resultFor(const Service &service, Indicator indicator, const QString &description)
{
    ServiceStatusResult result;
    result.serviceID = service.id;
    result.indicator = indicator;
    result.description = description;
    result.lastChecked = QDateTime::currentDateTimeUtc();
    return result;
}

void clearPreferences()
{
    for (const char *key : {"notificationsEnabled", "notificationMinSeverity", "mutedServiceIDs", "webhookURL"})
        Preferences::remove(QString::fromLatin1(key));
}

} // namespace

Q_DECLARE_METATYPE(Indicator)
Q_DECLARE_METATYPE(WebhookEvent)

class TestAlertDecision : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { clearPreferences(); }

    void decide_data()
    {
        QTest::addColumn<Indicator>("from");
        QTest::addColumn<Indicator>("to");
        QTest::addColumn<bool>("muted");
        QTest::addColumn<Indicator>("minSeverity");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("webhook");
        // Expected: no alert when the title is empty.
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("body");
        QTest::addColumn<WebhookEvent>("event");

        using I = Indicator;
        const auto down = WebhookEvent::Down;
        const auto recovered = WebhookEvent::Recovered;
        const QString description = QStringLiteral("Elevated error rates");
        const QString ok = QStringLiteral("All Systems Operational");

        QTest::newRow("none to major") << I::None << I::Major << false << I::Minor << true << true
                                       << QStringLiteral("GitHub: Partial Outage") << description << down;
        QTest::newRow("none to minor") << I::None << I::Minor << false << I::Minor << true << false
                                       << QStringLiteral("GitHub: Degraded Performance") << description << down;
        QTest::newRow("minor to major") << I::Minor << I::Major << false << I::Minor << true << false
                                        << QStringLiteral("GitHub: Partial Outage") << description << down;
        QTest::newRow("major to critical") << I::Major << I::Critical << false << I::Minor << true << false
                                           << QStringLiteral("GitHub: Major Outage") << description << down;
        QTest::newRow("below the minimum") << I::None << I::Minor << false << I::Major << true << true
                                           << QString() << QString() << down;
        QTest::newRow("reaches the minimum") << I::Minor << I::Critical << false << I::Critical << true << true
                                             << QStringLiteral("GitHub: Major Outage") << description << down;
        QTest::newRow("any minimum below minor") << I::None << I::Minor << false << I::Unknown << true << true
                                                 << QStringLiteral("GitHub: Degraded Performance") << description << down;
        QTest::newRow("recovery ignores the minimum") << I::Minor << I::None << false << I::Critical << true << true
                                                      << QStringLiteral("GitHub recovered") << ok << recovered;
        QTest::newRow("critical to none") << I::Critical << I::None << false << I::Minor << true << false
                                          << QStringLiteral("GitHub recovered") << ok << recovered;
        QTest::newRow("critical to minor") << I::Critical << I::Minor << false << I::Minor << true << true
                                           << QString() << QString() << down;
        QTest::newRow("no change") << I::Major << I::Major << false << I::Minor << true << true
                                   << QString() << QString() << down;
        QTest::newRow("healthy stays healthy") << I::None << I::None << false << I::Minor << true << true
                                               << QString() << QString() << down;
        QTest::newRow("muted worsening") << I::None << I::Critical << true << I::Minor << true << true
                                         << QString() << QString() << down;
        QTest::newRow("muted recovery") << I::Major << I::None << true << I::Minor << true << true
                                        << QString() << QString() << down;
        QTest::newRow("switched off, webhook on") << I::None << I::Major << false << I::Minor << false << true
                                                  << QStringLiteral("GitHub: Partial Outage") << description << down;
        QTest::newRow("switched off, recovery") << I::Major << I::None << false << I::Minor << false << true
                                                << QStringLiteral("GitHub recovered") << ok << recovered;
        QTest::newRow("switched off, below the minimum") << I::None << I::Minor << false << I::Major << false << true
                                                         << QString() << QString() << down;
    }

    void decide()
    {
        QFETCH(Indicator, from);
        QFETCH(Indicator, to);
        QFETCH(bool, muted);
        QFETCH(Indicator, minSeverity);
        QFETCH(bool, enabled);
        QFETCH(bool, webhook);
        QFETCH(QString, title);
        QFETCH(QString, body);
        QFETCH(WebhookEvent, event);

        const AlertSettings settings{muted, enabled, minSeverity, webhook};
        const std::optional<Alert> alert =
            decideAlert(QStringLiteral("GitHub"), from, to, QStringLiteral("Elevated error rates"), settings);
        if (title.isEmpty()) {
            QVERIFY(!alert);
            return;
        }
        QVERIFY(alert);
        QCOMPARE(alert->title, title);
        QCOMPARE(alert->body, body);
        QCOMPARE(alert->event, event);
        QCOMPARE(alert->notify, enabled);
        QCOMPARE(alert->webhook, webhook);
    }

    void preferencesFallBackToDefaults_data()
    {
        QTest::addColumn<QVariant>("enabledValue");
        QTest::addColumn<QVariant>("severityValue");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<Indicator>("minSeverity");

        QTest::newRow("missing") << QVariant() << QVariant() << true << Indicator::Minor;
        QTest::newRow("stored") << QVariant(false) << QVariant(2) << false << Indicator::Major;
        QTest::newRow("lowest") << QVariant(true) << QVariant(-1) << true << Indicator::Unknown;
        QTest::newRow("out of range") << QVariant(false) << QVariant(7) << false << Indicator::Minor;
        QTest::newRow("texts") << QVariant(QStringLiteral("maybe")) << QVariant(QStringLiteral("high")) << true
                               << Indicator::Minor;
        QTest::newRow("lists") << QVariant(QStringList{QStringLiteral("a"), QStringLiteral("b")})
                               << QVariant(QStringList{QStringLiteral("a"), QStringLiteral("b")}) << true
                               << Indicator::Minor;
    }

    void preferencesFallBackToDefaults()
    {
        QFETCH(QVariant, enabledValue);
        QFETCH(QVariant, severityValue);
        QFETCH(bool, enabled);
        QFETCH(Indicator, minSeverity);
        if (enabledValue.isValid())
            Preferences::setValue(QStringLiteral("notificationsEnabled"), enabledValue);
        if (severityValue.isValid())
            Preferences::setValue(QStringLiteral("notificationMinSeverity"), severityValue);
        QCOMPARE(NotificationPrefs::enabled(), enabled);
        QCOMPARE(NotificationPrefs::minSeverity(), minSeverity);
    }

    void preferencesRoundTrip()
    {
        NotificationPrefs::setEnabled(false);
        NotificationPrefs::setMinSeverity(Indicator::Critical);
        QCOMPARE(NotificationPrefs::enabled(), false);
        QCOMPARE(NotificationPrefs::minSeverity(), Indicator::Critical);
        NotificationPrefs::setEnabled(true);
        QCOMPARE(NotificationPrefs::enabled(), true);
    }

    void mutedServices()
    {
        const QUuid a = QUuid::createUuid();
        const QUuid b = QUuid::createUuid();
        NotificationPrefs::setMuted(a, true);
        QCOMPARE(NotificationPrefs::mutedServiceIDs(), QSet<QUuid>{a});
        NotificationPrefs::setMuted(b, true);
        NotificationPrefs::setMuted(a, false);
        QVERIFY(!NotificationPrefs::isMuted(a));
        QVERIFY(NotificationPrefs::isMuted(b));
        // Stored as canonical upper-case texts.
        QCOMPARE(Preferences::stringListValue(QStringLiteral("mutedServiceIDs")), QStringList{uuidText(b)});

        // Texts that are not identifiers are skipped, lower case is accepted.
        Preferences::setValue(QStringLiteral("mutedServiceIDs"),
                              QStringList{QStringLiteral("not-a-uuid"), uuidText(a).toLower(), QString()});
        QCOMPARE(NotificationPrefs::mutedServiceIDs(), QSet<QUuid>{a});
        Preferences::setValue(QStringLiteral("mutedServiceIDs"), 12);
        QVERIFY(NotificationPrefs::mutedServiceIDs().isEmpty());
    }

    void notifyIfChangedSendsWhatWasDecided()
    {
        NullNotifications notifications;
        QList<SentWebhook> webhooks;
        Notifier notifier(notifications, [&webhooks](WebhookEvent event, const Service &service, Indicator indicator,
                                                     const QString &message) {
            webhooks.append({event, service.name, indicator, message});
        });
        const Service service = github();
        WebhookPrefs::setAddress(QStringLiteral(" https://hooks.example.com/T1 \n"));
        NotificationPrefs::setMinSeverity(Indicator::Major);

        // Filtered out by the minimum: nothing at all.
        notifyIfChanged(service, Indicator::None, resultFor(service, Indicator::Minor, QStringLiteral("Slow")), notifier);
        QVERIFY(notifications.posted().isEmpty());
        QVERIFY(webhooks.isEmpty());

        // The recovery from it is announced on both channels, the webhook with the description.
        notifyIfChanged(service, Indicator::Minor, resultFor(service, Indicator::None, QStringLiteral("Fine now")),
                        notifier);
        QCOMPARE(notifications.posted(),
                 (QList<NullNotifications::Posted>{{QStringLiteral("GitHub recovered"),
                                                    QStringLiteral("All Systems Operational"), service.url}}));
        QCOMPARE(webhooks, (QList<SentWebhook>{{WebhookEvent::Recovered, QStringLiteral("GitHub"), Indicator::None,
                                                QStringLiteral("Fine now")}}));

        // Switched off: the webhook still goes out.
        NotificationPrefs::setEnabled(false);
        notifyIfChanged(service, Indicator::None, resultFor(service, Indicator::Critical, QStringLiteral("Down")),
                        notifier);
        QCOMPARE(notifications.posted().size(), 1);
        QCOMPARE(webhooks.size(), 2);
        QCOMPARE(webhooks.last(), (SentWebhook{WebhookEvent::Down, QStringLiteral("GitHub"), Indicator::Critical,
                                               QStringLiteral("Down")}));

        // Muted: neither.
        NotificationPrefs::setEnabled(true);
        NotificationPrefs::setMuted(service.id, true);
        notifyIfChanged(service, Indicator::None, resultFor(service, Indicator::Critical, QStringLiteral("Down")),
                        notifier);
        QCOMPARE(notifications.posted().size(), 1);
        QCOMPARE(webhooks.size(), 2);

        // Without a usable address no webhook is asked for.
        NotificationPrefs::setMuted(service.id, false);
        WebhookPrefs::setAddress(QStringLiteral("ftp://hooks.example.com"));
        notifyIfChanged(service, Indicator::None, resultFor(service, Indicator::Critical, QStringLiteral("Down")),
                        notifier);
        QCOMPARE(notifications.posted().size(), 2);
        QCOMPARE(webhooks.size(), 2);
    }

    void requestAuthorizationReachesThePlatform()
    {
        auto owned = std::make_unique<NullNotifications>();
        NullNotifications *notifications = owned.get();
        Notifier notifier(std::move(owned));
        notifier.requestAuthorization();
        QCOMPARE(notifications->authorizationRequests(), 1);
    }
};

QTEST_GUILESS_MAIN(TestAlertDecision)
#include "tst_alertdecision.moc"
