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

namespace {

bool worsened(Indicator from, Indicator to)
{
    return to > from && to >= Indicator::Minor;
}

bool recovered(Indicator from, Indicator to)
{
    return from >= Indicator::Minor && to == Indicator::None;
}

} // namespace

std::optional<Alert> decideAlert(const QString &serviceName, Indicator from, Indicator to, const QString &description,
                                 const AlertSettings &settings)
{
    if (settings.muted)
        return std::nullopt;

    Alert alert;
    if (worsened(from, to)) {
        if (to < settings.minSeverity)
            return std::nullopt;
        alert.event = WebhookEvent::Down;
        alert.title = serviceName + QStringLiteral(": ") + label(to);
        alert.body = description;
    } else if (recovered(from, to)) {
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
    // Nearly every check repeats the state before: no settings are read for those (each
    // read is a look at the settings file, thousands per refresh of a long list).
    if (!worsened(from, to.indicator) && !recovered(from, to.indicator))
        return;
    const std::optional<Alert> alert = decideAlert(service.name, from, to.indicator, alertBody(to),
                                                   AlertSettings::current(notifier.settings(), service.id));
    if (!alert)
        return;
    if (alert->notify)
        notifier.post(Notification{service.id, alert->title, alert->body, service.url});
    if (alert->webhook)
        notifier.sendWebhook(alert->event, service, to.indicator, to.description);
}
