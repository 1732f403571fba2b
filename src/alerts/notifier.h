#pragma once

#include "alerts/webhook.h"
#include "platform/notifications.h"

#include <functional>
#include <memory>

class Settings;

// Where alerts go: the desktop's notifications and the webhook, with the user's settings
// that decide which alerts are sent at all.
class Notifier
{
public:
    // Posts an alert to `address` in the background.
    using WebhookSender = std::function<void(const QUrl &address, WebhookEvent event, const Service &service,
                                             Indicator indicator, const QString &message)>;

    Notifier(Notifications &notifications, const Settings &settings, WebhookSender webhook = &Webhook::send);
    Notifier(std::unique_ptr<Notifications> notifications, const Settings &settings,
             WebhookSender webhook = &Webhook::send);

    const Settings &settings() const { return m_settings; }

    // Called at start when notifications are on, and whenever the user switches them on.
    void requestAuthorization();

    void post(const Notification &notification);

    // Posts to the configured address; nothing without one.
    void sendWebhook(WebhookEvent event, const Service &service, Indicator indicator, const QString &message);

    Notifications &notifications() { return m_notifications; }

private:
    std::unique_ptr<Notifications> m_owned;
    Notifications &m_notifications;
    const Settings &m_settings;
    WebhookSender m_webhook;
};
