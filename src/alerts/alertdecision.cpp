#include "alerts/alertdecision.h"

#include "alerts/notifier.h"
#include "core/settings.h"

#include <QCoreApplication>

AlertSettings AlertSettings::current(const Settings &stored, const QUuid &serviceID, const QDateTime &now)
{
    AlertSettings settings;
    settings.muted = stored.isMuted(serviceID, now);
    settings.notificationsEnabled = stored.notificationsEnabled();
    settings.minSeverity = stored.notificationMinSeverity();
    settings.webhookConfigured = stored.webhookURL().has_value();
    return settings;
}

std::optional<Alert> decideAlert(const QString &serviceName, Indicator from, Indicator to, const QString &description,
                                 const AlertSettings &settings)
{
    if (settings.muted)
        return std::nullopt;

    Alert alert;
    if (to > from && to >= Indicator::Minor) {
        if (to < settings.minSeverity)
            return std::nullopt;
        alert.event = WebhookEvent::Down;
        alert.title = serviceName + QStringLiteral(": ") + label(to);
        alert.body = description;
    } else if (from >= Indicator::Minor && to == Indicator::None) {
        alert.event = WebhookEvent::Recovered;
        alert.title = QCoreApplication::translate("Notifier", "%1 recovered").arg(serviceName);
        alert.body = label(Indicator::None);
    } else {
        return std::nullopt;
    }
    alert.notify = settings.notificationsEnabled;
    alert.webhook = settings.webhookConfigured;
    return alert;
}

QString alertBody(const ServiceStatusResult &result)
{
    if (result.incidentTitle && !result.incidentTitle->isEmpty())
        return *result.incidentTitle;
    for (const Incident &incident : result.incidents) {
        if (!incident.title.isEmpty())
            return incident.title;
    }
    return result.description;
}

void notifyIfChanged(const Service &service, Indicator from, const ServiceStatusResult &to, Notifier &notifier)
{
    const std::optional<Alert> alert = decideAlert(service.name, from, to.indicator, alertBody(to),
                                                   AlertSettings::current(notifier.settings(), service.id));
    if (!alert)
        return;
    if (alert->notify)
        notifier.post(Notification{service.id, alert->title, alert->body, service.url});
    if (alert->webhook)
        notifier.sendWebhook(alert->event, service, to.indicator, to.description);
}
