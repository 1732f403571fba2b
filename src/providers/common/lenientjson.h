#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringView>
#include <QUrl>

#include <optional>

// Lenient reading of the parts of a feed that only inform (stories, names, links): a field
// that is missing or of the wrong type reads as empty instead of failing the document, as
// JsonDecoder's strict reads do.
namespace LenientJson {

// The text as an address when it is a web address (core/webaddress.h), else empty: a link
// from a feed is only worth keeping when it can be opened.
QUrl webAddress(const QString &text);

// An ISO 8601 instant ("2026-11-30T10:04:11.000Z", "2026-11-30T08:00:00+01:00") in UTC;
// a text without an offset is taken as UTC. Invalid when the value is not such a text.
QDateTime isoInstant(const QJsonValue &value);

enum class EpochUnit { Seconds, Milliseconds };

// A count of units since 1970 in UTC, written as a JSON number or as a string of one;
// invalid for anything else or a value beyond what a QDateTime holds safely.
QDateTime epochInstant(const QJsonValue &value, EpochUnit unit);

// The objects of the array under `key`, skipping entries that are not objects; absent when
// there is no array there.
std::optional<QList<QJsonObject>> objects(const QJsonObject &object, QStringView key);

// The string under `key`; empty when it is absent or not a string.
QString text(const QJsonObject &object, QStringView key);

// isoInstant() of the value under `key`.
QDateTime instant(const QJsonObject &object, QStringView key);

// webAddress() of the string under `key`.
QUrl link(const QJsonObject &object, QStringView key);

} // namespace LenientJson
