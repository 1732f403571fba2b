#include "alerts/notificationprefs.h"

#include "core/preferences.h"
#include "core/service.h"

#include <QStringList>

#include <algorithm>

namespace NotificationPrefs {

namespace {

QString enabledKey()
{
    return QStringLiteral("notificationsEnabled");
}

QString minSeverityKey()
{
    return QStringLiteral("notificationMinSeverity");
}

QString mutedKey()
{
    return QStringLiteral("mutedServiceIDs");
}

} // namespace

bool enabled()
{
    return Preferences::boolValue(enabledKey(), true);
}

void setEnabled(bool on)
{
    Preferences::setValue(enabledKey(), on);
}

Indicator minSeverity()
{
    const int raw = Preferences::intValue(minSeverityKey(), rawValue(Indicator::Minor));
    return indicatorFromRaw(raw).value_or(Indicator::Minor);
}

void setMinSeverity(Indicator severity)
{
    Preferences::setValue(minSeverityKey(), rawValue(severity));
}

QSet<QUuid> mutedServiceIDs()
{
    QSet<QUuid> ids;
    const QStringList texts = Preferences::stringListValue(mutedKey());
    for (const QString &text : texts) {
        if (const std::optional<QUuid> id = parseUuid(text))
            ids.insert(*id);
    }
    return ids;
}

void setMutedServiceIDs(const QSet<QUuid> &ids)
{
    QStringList texts;
    for (const QUuid &id : ids)
        texts.append(uuidText(id));
    // Sorted only so that the file does not churn between saves.
    std::sort(texts.begin(), texts.end());
    Preferences::setValue(mutedKey(), texts);
}

void setMuted(const QUuid &serviceID, bool muted)
{
    QSet<QUuid> ids = mutedServiceIDs();
    if (muted)
        ids.insert(serviceID);
    else
        ids.remove(serviceID);
    setMutedServiceIDs(ids);
}

bool isMuted(const QUuid &serviceID)
{
    return mutedServiceIDs().contains(serviceID);
}

} // namespace NotificationPrefs
