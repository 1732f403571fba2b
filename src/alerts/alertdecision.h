#pragma once

#include "alerts/webhook.h"
#include "core/indicator.h"
#include "core/service.h"
#include "core/servicestatusresult.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <optional>

class Notifier;
class Settings;

// What the alert decision consults besides the two states.
struct AlertSettings {
    bool muted = false;
    bool notificationsEnabled = true;
    Indicator minSeverity = Indicator::Minor;
    bool webhookConfigured = false;

    // The user's settings for one service, read now; a timed mute counts until its end.
    static AlertSettings current(const Settings &stored, const QUuid &serviceID,
                                 const QDateTime &now = QDateTime::currentDateTimeUtc());
};

// One alert to send, and through which channels.
struct Alert {
    WebhookEvent event = WebhookEvent::Down;
    QString title;
    QString body;
    bool notify = false;
    bool webhook = false;

    bool operator==(const Alert &) const = default;
};

// Whether a change of a service's state is worth telling: a worsening to minor or worse
// that reaches the minimum severity, or a recovery to full health from any trouble
// (whether or not the trouble was announced). Nothing for a muted service or for any
// other change. The webhook does not depend on the notifications switch.
std::optional<Alert> decideAlert(const QString &serviceName, Indicator from, Indicator to, const QString &description,
                                 const AlertSettings &settings);

// What a notification of a worsening says: the title of the incident the feed names, else
// the result's description.
QString alertBody(const ServiceStatusResult &result);

// Decides with the user's current settings and sends what the decision asks for (the
// webhook always carries the result's description). The monitor calls it when it holds a
// previous known state and the new one is known.
void notifyIfChanged(const Service &service, Indicator from, const ServiceStatusResult &to, Notifier &notifier);
