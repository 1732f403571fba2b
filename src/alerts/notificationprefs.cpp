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

QString mutedUntilKey()
{
    return QStringLiteral("mutedUntil");
}

void setMutedUntil(const QHash<QUuid, QDateTime> &ends)
{
    QStringList texts;
    for (auto end = ends.cbegin(); end != ends.cend(); ++end)
        texts.append(uuidText(end.key()) + u' ' + end.value().toUTC().toString(Qt::ISODate));
    std::sort(texts.begin(), texts.end());
    if (texts.isEmpty())
        Preferences::remove(mutedUntilKey());
    else
        Preferences::setValue(mutedUntilKey(), texts);
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
    // Sorted only so that the file does not churn between saves; an empty list would be
    // written as "@Invalid()".
    std::sort(texts.begin(), texts.end());
    if (texts.isEmpty())
        Preferences::remove(mutedKey());
    else
        Preferences::setValue(mutedKey(), texts);
}

QHash<QUuid, QDateTime> mutedUntil(const QDateTime &now)
{
    QHash<QUuid, QDateTime> ends;
    const QStringList texts = Preferences::stringListValue(mutedUntilKey());
    for (const QString &text : texts) {
        const QStringList parts = text.split(u' ');
        if (parts.size() != 2)
            continue;
        const std::optional<QUuid> id = parseUuid(parts.at(0));
        const QDateTime end = QDateTime::fromString(parts.at(1), Qt::ISODate);
        // A time without a zone would mean whatever zone the machine is in when it is read.
        if (!id || !end.isValid() || end.timeSpec() == Qt::LocalTime || end <= now)
            continue;
        const auto kept = ends.constFind(*id);
        if (kept == ends.constEnd() || *kept < end)
            ends.insert(*id, end.toUTC());
    }
    return ends;
}

void muteUntil(const QUuid &serviceID, const QDateTime &end, const QDateTime &now)
{
    // Rounded up, so that the mute never ends before the moment asked for.
    QDateTime stored = end.toUTC();
    if (const int part = stored.time().msec(); part > 0)
        stored = stored.addMSecs(1000 - part);
    QHash<QUuid, QDateTime> ends = mutedUntil(now);
    if (stored > now)
        ends.insert(serviceID, stored);
    else
        ends.remove(serviceID);
    setMutedUntil(ends);
}

bool isMuted(const QUuid &serviceID, const QDateTime &now)
{
    return mutedServiceIDs().contains(serviceID) || mutedUntil(now).contains(serviceID);
}

void setMuted(const QUuid &serviceID, bool muted, const QDateTime &now)
{
    QSet<QUuid> ids = mutedServiceIDs();
    if (muted) {
        ids.insert(serviceID);
    } else {
        ids.remove(serviceID);
        QHash<QUuid, QDateTime> ends = mutedUntil(now);
        if (ends.remove(serviceID))
            setMutedUntil(ends);
    }
    setMutedServiceIDs(ids);
}

} // namespace NotificationPrefs
