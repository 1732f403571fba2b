#include "alerts/alertdecision.h"
#include "alerts/notificationprefs.h"
#include "alerts/notifier.h"
#include "alerts/webhookprefs.h"
#include "core/preferences.h"
#include "platform/null/nullnotifications.h"

#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(Indicator)

class TestAlertDecision : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        for (const char *key : {"notificationsEnabled", "notificationMinSeverity", "mutedServiceIDs", "webhookURL"})
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
        row("minor to major", I::Minor, I::Major, "1", "GitHub: Partial Outage|Busy|down|1|0");
        row("none to minor", I::None, I::Minor, "1", "GitHub: Degraded Performance|Busy|down|1|0");
        row("major to critical", I::Major, I::Critical, "3", "GitHub: Major Outage|Busy|down|1|0");
        row("below the minimum", I::None, I::Minor, "2w", "");
        row("minimum below minor", I::None, I::Minor, "0", "GitHub: Degraded Performance|Busy|down|1|0");
        row("recovery despite the minimum", I::Minor, I::None, "3w", "GitHub recovered|All Systems Operational|recovered|1|1");
        row("critical to minor", I::Critical, I::Minor, "1w", "");
        row("no change", I::Major, I::Major, "1w", "");
        row("healthy stays healthy", I::None, I::None, "1w", "");
        row("muted worsening", I::None, I::Critical, "m1w", "");
        row("muted recovery", I::Major, I::None, "m1w", "");
        row("switched off, webhook on", I::None, I::Major, "o1w", "GitHub: Partial Outage|Busy|down|0|1");
        row("switched off, recovery", I::Critical, I::None, "o1w", "GitHub recovered|All Systems Operational|recovered|0|1");
        row("switched off, below the minimum", I::None, I::Minor, "o2w", "");
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

    void preferences()
    {
        for (const QVariant &bad : {QVariant(7), QVariant(QStringLiteral("high"))}) {
            Preferences::setValue(QStringLiteral("notificationMinSeverity"), bad);
            Preferences::setValue(QStringLiteral("notificationsEnabled"), bad);
            QCOMPARE(NotificationPrefs::minSeverity(), Indicator::Minor);
            QCOMPARE(NotificationPrefs::enabled(), true);
        }
        const QUuid a = QUuid::createUuid();
        const QUuid b = QUuid::createUuid();
        Preferences::setValue(QStringLiteral("mutedServiceIDs"), QStringList{QStringLiteral("nope"), uuidText(a).toLower()});
        QCOMPARE(NotificationPrefs::mutedServiceIDs(), QSet<QUuid>{a});
        NotificationPrefs::setMuted(b, true);
        NotificationPrefs::setMuted(a, false);
        QCOMPARE(Preferences::stringListValue(QStringLiteral("mutedServiceIDs")), QStringList{uuidText(b)});
    }

    // The decision reaches both channels with the service's page and the result's text.
    void notifyIfChangedSends()
    {
        NullNotifications notifications;
        QStringList webhooks;
        Notifier notifier(notifications, [&webhooks](WebhookEvent event, const Service &service, Indicator indicator,
                                                     const QString &message) {
            webhooks.append(QStringList{Webhook::eventWord(event), service.name, indicatorName(indicator), message}.join(u'|'));
        });
        const Service service{QUuid::createUuid(), QStringLiteral("GitHub"), QUrl(QStringLiteral("https://www.githubstatus.com")),
                              ProviderKind::Statuspage, std::nullopt};
        const ServiceStatusResult healthy{service.id, Indicator::None, QStringLiteral("Fine"), QDateTime::currentDateTimeUtc(), {}, false};

        notifyIfChanged(service, Indicator::Major, healthy, notifier);
        QCOMPARE(notifications.posted(), (QList<NullNotifications::Posted>{{QStringLiteral("GitHub recovered"), QStringLiteral("All Systems Operational"), service.url}}));
        QVERIFY(webhooks.isEmpty()); // no address
        WebhookPrefs::setAddress(QStringLiteral(" https://hooks.example.com/T1\n"));
        notifyIfChanged(service, Indicator::Major, healthy, notifier);
        QCOMPARE(webhooks, QStringList{QStringLiteral("recovered|GitHub|none|Fine")});
        NotificationPrefs::setMuted(service.id, true);
        notifyIfChanged(service, Indicator::Major, healthy, notifier);
        QCOMPARE(notifications.posted().size(), 2);
        QCOMPARE(webhooks.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestAlertDecision)
#include "tst_alertdecision.moc"
