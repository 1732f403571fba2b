#pragma once

#include "core/servicestatusresult.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringView>
#include <QUrl>

#include <chrono>

// Forgiving reading of what a feed tells besides the state (its incidents and maintenance
// windows). The state is read strictly because a wrong state is worse than none; the story
// is read field by field, and a field that is missing or of the wrong type is left empty,
// so that a page with an odd incident still shows its state.
namespace StoryReading {

// The objects of the array under `key`, skipping entries that are not objects; absent when
// there is no array there.
std::optional<QList<QJsonObject>> objects(const QJsonObject &object, QStringView key);

// The string under `key`; empty when it is absent or not a string.
QString text(const QJsonObject &object, QStringView key);

// An ISO 8601 instant in UTC. A time without an offset is taken as UTC; anything else
// (absent, not a string, not a date) is invalid.
QDateTime instant(const QJsonObject &object, QStringView key);

// A web page to open: only an absolute http or https address with a host, since the user
// opens it with a click; anything else is an empty address.
QUrl link(const QJsonObject &object, QStringView key);

// How far ahead planned maintenance is shown.
inline constexpr std::chrono::hours lookahead{24 * 7};

// Whether a window belongs in a result checked at `now`: in progress, or scheduled to start
// within the lookahead and not already over. A scheduled window without a start cannot be
// placed and is left out.
bool isShown(const Maintenance &window, const QDateTime &now);

QList<Maintenance> shownWindows(const QList<Maintenance> &windows, const QDateTime &now);

} // namespace StoryReading
