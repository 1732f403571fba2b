// glinter-notify-demo [SECONDS]: runs the alert decision for an invented service that
// goes from operational to a partial outage and posts the result through the desktop's
// notifications, then waits SECONDS (default 10) so that a click on the notification
// can open its page or ask to mute it (printed, not stored). Preferences are the user's
// own, so a muted or disabled state shows.
#include "alerts/alertdecision.h"
#include "alerts/notifier.h"
#include "core/settings.h"
#include "platform/notifications.h"
#include "platform/urlopener.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int seconds = arguments.size() > 1 ? arguments.at(1).toInt() : 10;

    const std::unique_ptr<UrlOpener> opener = makeUrlOpener();
    std::unique_ptr<Notifications> notifications = makeNotifications(*opener);
    notifications->setFallback([](const QString &title, const QString &body, const QUrl &) {
        std::fprintf(stderr, "no notification service on the bus: %s / %s\n", qUtf8Printable(title),
                     qUtf8Printable(body));
    });
    notifications->setMuteRequest([](const QUuid &serviceID) {
        std::fprintf(stderr, "asked to mute %s for an hour\n", qUtf8Printable(uuidText(serviceID)));
    });
    const Settings settings;
    Notifier notifier(*notifications, settings,
                      [](const QUrl &, WebhookEvent, const Service &, Indicator, const QString &) {});

    Service service;
    service.id = QUuid::createUuid();
    service.name = QStringLiteral("GitHub");
    service.url = QUrl(QStringLiteral("https://www.githubstatus.com"));
    ServiceStatusResult result;
    result.serviceID = service.id;
    result.indicator = Indicator::Major;
    result.description = QStringLiteral("Elevated error rates on Git operations");
    result.lastChecked = QDateTime::currentDateTimeUtc();

    notifyIfChanged(service, Indicator::None, result, notifier);
    QTimer::singleShot(std::chrono::seconds(std::max(seconds, 1)), &app, &QCoreApplication::quit);
    return app.exec();
}
