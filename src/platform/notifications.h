#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <chrono>
#include <functional>
#include <memory>

// One alert as the desktop shows it. Title and body are plain text, whatever they hold.
struct Notification {
    // The service the alert is about: what "Mute for 1 Hour" mutes.
    QUuid serviceID;
    QString title;
    QString body;
    // Opened by a click on the notification (web pages only).
    QUrl page;

    bool operator==(const Notification &) const = default;
};

class UrlOpener;

// The desktop's user notifications.
class Notifications
{
public:
    // Shows a notification by other means (the tray) when the desktop has no notification
    // service; supplied by the UI layer, which owns the tray.
    using Fallback = std::function<void(const QString &title, const QString &body, const QUrl &page)>;
    // The user asked, from a notification, to hear nothing of that service for mutePeriod.
    using MuteRequest = std::function<void(const QUuid &serviceID)>;

    // How long the "Mute for 1 Hour" action of a notification mutes its service.
    static constexpr std::chrono::hours mutePeriod{1};

    virtual ~Notifications() = default;

    // Asks for permission to notify where the platform wants that; the answer is not reported.
    virtual void requestAuthorization() = 0;

    // Shows one notification with the default sound, in the order posted, never replacing
    // an earlier one.
    virtual void post(const Notification &notification) = 0;

    // Without a fallback, notifications that cannot be shown are dropped.
    virtual void setFallback(Fallback fallback) = 0;

    // Without a receiver, the mute action of a notification does nothing.
    virtual void setMuteRequest(MuteRequest request) = 0;
};

// The platform's notifications; on a platform without any, a double that only records.
// A click on a notification opens its page with `opener`, which must outlive it.
std::unique_ptr<Notifications> makeNotifications(UrlOpener &opener);
