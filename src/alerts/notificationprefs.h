#pragma once

#include "core/indicator.h"

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

// Stored texts that are not identifiers are skipped.
QSet<QUuid> mutedServiceIDs();
void setMutedServiceIDs(const QSet<QUuid> &ids);
void setMuted(const QUuid &serviceID, bool muted);
bool isMuted(const QUuid &serviceID);

} // namespace NotificationPrefs
