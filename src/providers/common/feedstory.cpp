#include "providers/common/feedstory.h"

#include <QJsonArray>
#include <QTimeZone>

#include <algorithm>
#include <cmath>

namespace FeedStory {

using LenientJson::instant;
using LenientJson::link;
using LenientJson::objects;
using LenientJson::text;

namespace {

// The text under `key`; empty when the format names no key.
QString textIf(const QJsonObject &entry, QStringView key)
{
    return key.isEmpty() ? QString() : text(entry, key);
}

QDateTime instantIf(const QJsonObject &entry, QStringView key, QDateTime (*instant)(const QJsonObject &, QStringView))
{
    return key.isEmpty() ? QDateTime() : instant(entry, key);
}

template<std::size_t N>
bool isOver(const QJsonObject &entry, QStringView status, const std::array<QStringView, N> &overWords)
{
    const QString word = textIf(entry, status).toLower();
    return std::any_of(overWords.cbegin(), overWords.cend(),
                       [&](QStringView over) { return !over.isEmpty() && word == over; });
}

// The ids of the parts the entry names, written as text or as numbers; absent when it has
// no such list.
std::optional<QStringList> componentIDs(const QJsonObject &entry, QStringView key, QStringView idKey)
{
    const std::optional<QList<QJsonObject>> components = key.isEmpty() ? std::nullopt : objects(entry, key);
    if (!components)
        return std::nullopt;
    QStringList ids;
    for (const QJsonObject &component : *components) {
        const QJsonValue id = component.value(idKey);
        if (const QString text = id.isDouble() ? QString::number(id.toInteger()) : id.toString(); !text.isEmpty())
            ids.append(text);
    }
    return ids;
}

// A length in minutes, given as a number or as a numeral in a string; absent when it is
// neither, negative, or so long that it is noise (and its seconds would overflow).
std::optional<qint64> minutes(const QJsonValue &value)
{
    bool ok = value.isDouble();
    double count = value.toDouble();
    if (value.isString())
        count = value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(count) || count < 0 || count > 1e7)
        return std::nullopt;
    return qint64(std::llround(count));
}

template<class Entry, class Fields>
std::optional<QList<Listed<Entry>>> readAll(const QJsonObject &object, QStringView key, const Fields &fields,
                                            Listed<Entry> (*read)(const QJsonObject &, const Fields &))
{
    const std::optional<QList<QJsonObject>> entries = objects(object, key);
    if (!entries)
        return std::nullopt;
    QList<Listed<Entry>> list;
    for (const QJsonObject &entry : *entries) {
        if (!isOver(entry, fields))
            list.append(read(entry, fields));
    }
    return list;
}

} // namespace

bool isCurrent(const Maintenance &window, const QDateTime &now)
{
    if (window.status == Maintenance::Status::InProgress)
        return true;
    if (!window.startsAt.isValid())
        return false;
    // A window nobody marked as started is still worth telling while its planned time lasts.
    const bool over = window.endsAt.isValid() && window.endsAt <= now;
    const QDateTime horizon = now.addDuration(maintenanceHorizon);
    return window.startsAt <= horizon && !over;
}

QList<Maintenance> currentWindows(QList<Maintenance> windows, const QDateTime &now)
{
    windows.removeIf([&](const Maintenance &window) { return !isCurrent(window, now); });
    return windows;
}

void tell(ServiceStatusResult &result, Story story, const QDateTime &now)
{
    result.incidents = std::move(story.incidents);
    result.maintenances = currentWindows(std::move(story.maintenances), now);
}

bool isOver(const QJsonObject &entry, const IncidentFields &fields)
{
    return isOver(entry, fields.status, fields.overWords);
}

bool isOver(const QJsonObject &entry, const MaintenanceFields &fields)
{
    return isOver(entry, fields.status, fields.overWords);
}

Listed<Incident> readIncident(const QJsonObject &entry, const IncidentFields &fields)
{
    Incident incident;
    incident.title = textIf(entry, fields.title);
    incident.status = textIf(entry, fields.status).toLower();
    if (fields.impactOf)
        incident.impact = fields.impactOf(textIf(entry, fields.impact));
    incident.startedAt = instantIf(entry, fields.startedAt, fields.instant);
    if (!incident.startedAt.isValid())
        incident.startedAt = instantIf(entry, fields.startedAtOtherwise, fields.instant);
    incident.updatedAt = instantIf(entry, fields.updatedAt, fields.instant);
    const std::optional<QList<QJsonObject>> updates = fields.updates.isEmpty()
                                                          ? std::optional(QList<QJsonObject>{entry})
                                                          : objects(entry, fields.updates);
    if (updates && !updates->isEmpty())
        incident.update = textIf(updates->first(), fields.update).trimmed();
    incident.url = fields.url.isEmpty() ? QUrl() : link(entry, fields.url);
    return {std::move(incident), componentIDs(entry, fields.components, fields.componentID)};
}

Listed<Maintenance> readMaintenance(const QJsonObject &entry, const MaintenanceFields &fields)
{
    Maintenance window;
    window.title = textIf(entry, fields.title);
    const QString status = textIf(entry, fields.status).toLower();
    const auto &under = fields.inProgressWords;
    window.status = std::find(under.cbegin(), under.cend(), status) != under.cend() && !status.isEmpty()
                        ? Maintenance::Status::InProgress
                        : Maintenance::Status::Scheduled;
    window.startsAt = instantIf(entry, fields.startsAt, fields.instant);
    window.endsAt = instantIf(entry, fields.endsAt, fields.instant);
    const std::optional<qint64> length = fields.minutes.isEmpty() ? std::nullopt : minutes(entry.value(fields.minutes));
    if (window.startsAt.isValid() && length)
        window.endsAt = window.startsAt.addSecs(*length * 60);
    window.url = fields.url.isEmpty() ? QUrl() : link(entry, fields.url);
    return {std::move(window), componentIDs(entry, fields.components, fields.componentID)};
}

std::optional<QList<Listed<Incident>>> readIncidents(const QJsonObject &object, QStringView key,
                                                     const IncidentFields &fields)
{
    return readAll<Incident>(object, key, fields, &readIncident);
}

std::optional<QList<Listed<Maintenance>>> readMaintenances(const QJsonObject &object, QStringView key,
                                                           const MaintenanceFields &fields)
{
    return readAll<Maintenance>(object, key, fields, &readMaintenance);
}

} // namespace FeedStory
