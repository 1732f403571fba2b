#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

// The desktop's user notifications.
class Notifications
{
public:
    // Shows a notification by other means (the tray) when the desktop has no notification
    // service; supplied by the UI layer, which owns the tray.
    using Fallback = std::function<void(const QString &title, const QString &body, const QUrl &page)>;

    virtual ~Notifications() = default;

    // Asks for permission to notify where the platform wants that; the answer is not reported.
    virtual void requestAuthorization() = 0;

    // Shows one notification at once, with the default sound, never replacing an earlier
    // one; a click on it opens `page` in the browser (web pages only).
    virtual void post(const QString &title, const QString &body, const QUrl &page) = 0;

    // Without a fallback, notifications that cannot be shown are dropped.
    virtual void setFallback(Fallback fallback) = 0;
};

// The platform's notifications; on a platform without any, a double that only records.
std::unique_ptr<Notifications> makeNotifications();
