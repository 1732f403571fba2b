#include "alerts/alertdecision.h"
#include "alerts/notificationprefs.h"
#include "alerts/notifier.h"
#include "alerts/webhookprefs.h"
#include "core/preferences.h"
#include "platform/null/nullnotifications.h"

#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(Indicator)

using namespace Qt::StringLiterals;

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
        const Service service{QUuid::createUuid(), u"GitHub"_s, QUrl(u"https://www.githubstatus.com"_s), ProviderKind::Statuspage, std::nullopt};
        const auto recover = [&] { notifyIfChanged(service, Indicator::Major, {service.id, Indicator::None, u"Fine"_s, {}, {}, false}, notifier); };
        recover(); // no webhook address
        WebhookPrefs::setAddress(u" https://hooks.example.com/T1\n"_s);
        recover();
        // Muted ids are read in any case, unreadable ones dropped.
        Preferences::setValue(u"mutedServiceIDs"_s, QStringList{u"nope"_s, uuidText(service.id).toLower()});
        QCOMPARE(NotificationPrefs::mutedServiceIDs(), QSet<QUuid>{service.id});
        recover();
        const NullNotifications::Posted posted{u"GitHub recovered"_s, u"All Systems Operational"_s, service.url};
        QCOMPARE(notifications.posted(), (QList<NullNotifications::Posted>{posted, posted}));
        QCOMPARE(webhooks, QStringList{u"recovered|GitHub|none|Fine"_s});
    }
};

QTEST_GUILESS_MAIN(TestAlertDecision)
#include "tst_alertdecision.moc"
