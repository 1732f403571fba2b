#include "alerts/notifier.h"

Notifier::Notifier(Notifications &notifications, WebhookSender webhook)
    : m_notifications(notifications)
    , m_webhook(std::move(webhook))
{
}

Notifier::Notifier(std::unique_ptr<Notifications> notifications, WebhookSender webhook)
    : m_owned(std::move(notifications))
    , m_notifications(*m_owned)
    , m_webhook(std::move(webhook))
{
}

void Notifier::requestAuthorization()
{
    m_notifications.requestAuthorization();
}

void Notifier::post(const Notification &notification)
{
    m_notifications.post(notification);
}

void Notifier::sendWebhook(WebhookEvent event, const Service &service, Indicator indicator, const QString &message)
{
    if (m_webhook)
        m_webhook(event, service, indicator, message);
}
