#pragma once

#include "alerts/webhook.h"
#include "platform/notifications.h"

#include <functional>
#include <memory>

// Where alerts go: the desktop's notifications and the webhook.
class Notifier
{
public:
    using WebhookSender =
        std::function<void(WebhookEvent event, const Service &service, Indicator indicator, const QString &message)>;

    explicit Notifier(Notifications &notifications, WebhookSender webhook = &Webhook::send);
    explicit Notifier(std::unique_ptr<Notifications> notifications, WebhookSender webhook = &Webhook::send);

    // Called at start when notifications are on, and whenever the user switches them on.
    void requestAuthorization();

    void post(const Notification &notification);

    void sendWebhook(WebhookEvent event, const Service &service, Indicator indicator, const QString &message);

    Notifications &notifications() { return m_notifications; }

private:
    std::unique_ptr<Notifications> m_owned;
    Notifications &m_notifications;
    WebhookSender m_webhook;
};
