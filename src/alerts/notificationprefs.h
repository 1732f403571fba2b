#pragma once

#include "core/indicator.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QUuid>

// The user's notification settings, read from the preferences on every use. A missing or
// malformed value reads as the default: notifications on, from minor severity up, nothing
// muted.
namespace NotificationPrefs {

bool enabled();
void setEnabled(bool enabled);

Indicator minSeverity();
void setMinSeverity(Indicator severity);

// The permanent mute ("mutedServiceIDs"). Stored texts that are not identifiers are skipped.
QSet<QUuid> mutedServiceIDs();
void setMutedServiceIDs(const QSet<QUuid> &ids);

// Mutes that end by themselves (a notification's "Mute for 1 Hour"), independent of the
// permanent mute: the services muted at `now`, with their ends in UTC. Stored as
// "mutedUntil", a list of texts "UUID 2030-01-01T13:05:00Z"; an entry that is malformed,
// has no time zone, or has ended reads as none, and ended ones are dropped whenever the
// list is written.
QHash<QUuid, QDateTime> mutedUntil(const QDateTime &now);
// Replaces the service's end; stored to the second, rounded up.
void muteUntil(const QUuid &serviceID, const QDateTime &end, const QDateTime &now);

// Whether the service is muted for good, or for a while that has not ended at `now`.
bool isMuted(const QUuid &serviceID, const QDateTime &now = QDateTime::currentDateTimeUtc());
// Switches the permanent mute; switching it off ends a timed mute too, as the bell in the
// settings shows either as one.
void setMuted(const QUuid &serviceID, bool muted, const QDateTime &now = QDateTime::currentDateTimeUtc());

} // namespace NotificationPrefs
