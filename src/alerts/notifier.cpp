#include "alerts/notifier.h"

#include "core/settings.h"

Notifier::Notifier(Notifications &notifications, const Settings &settings, WebhookSender webhook)
    : m_notifications(notifications)
    , m_settings(settings)
    , m_webhook(std::move(webhook))
{
}

Notifier::Notifier(std::unique_ptr<Notifications> notifications, const Settings &settings, WebhookSender webhook)
    : m_owned(std::move(notifications))
    , m_notifications(*m_owned)
    , m_settings(settings)
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
    const std::optional<QUrl> address = m_settings.webhookURL();
    if (address && m_webhook)
        m_webhook(*address, event, service, indicator, message);
}
