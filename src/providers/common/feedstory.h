#pragma once

#include "core/servicestatusresult.h"
#include "providers/common/componentselection.h"
#include "providers/common/lenientjson.h"

#include <QDateTime>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringView>
#include <QUrl>

#include <array>
#include <chrono>
#include <optional>

// What the providers learn besides the state: the page's unresolved incidents and its
// maintenance windows, and the few rules they share to read them. A story is read
// leniently: a field that is missing or of the wrong type stays empty, and never fails
// the check it comes with.
namespace FeedStory {

struct Story {
    // In the feed's order.
    QList<Incident> incidents;
    // Every window the feed lists that is not over; tell() keeps the ones worth telling.
    QList<Maintenance> maintenances;

    bool operator==(const Story &) const = default;
};

// How far ahead a scheduled window is worth telling about.
inline constexpr std::chrono::days maintenanceHorizon{7};

// A window in progress, or scheduled to start within the horizon and not over yet. A
// scheduled window without a known start cannot be placed and is not told.
bool isCurrent(const Maintenance &window, const QDateTime &now);

// The windows of `windows` that are current at `now`, in their order.
QList<Maintenance> currentWindows(QList<Maintenance> windows, const QDateTime &now);

// Puts the story into the result, keeping only the current windows.
void tell(ServiceStatusResult &result, Story story, const QDateTime &now);

// Where one format keeps the parts of an incident entry; a key left empty is not read.
struct IncidentFields {
    QStringView title = u"name";
    // The stage word, told in lower case; an incident at one of `overWords` is not told.
    QStringView status = u"status";
    std::array<QStringView, 2> overWords{};
    // The impact word, and what it means in the format; absent when it says nothing.
    QStringView impact;
    std::optional<Indicator> (*impactOf)(const QString &word) = nullptr;
    // The start, or when there is none (older entries), `startedAtOtherwise`.
    QStringView startedAt;
    QStringView startedAtOtherwise;
    QStringView updatedAt;
    // The latest update's text: under `update` in the first object of the array `updates`
    // (newest first), or on the entry itself for a format without one.
    QStringView updates;
    QStringView update;
    QStringView url;
    // The array of parts the entry names, with each part's id under `componentID`.
    QStringView components;
    QStringView componentID = u"id";
    // How the format writes its instants.
    QDateTime (*instant)(const QJsonObject &object, QStringView key) = &LenientJson::instant;
};

// Where one format keeps the parts of a maintenance entry; a key left empty is not read.
struct MaintenanceFields {
    QStringView title = u"name";
    // The stage word: a window at one of `overWords` is not told, one at an `inProgressWords`
    // is under way, any other is scheduled (all lower case).
    QStringView status = u"status";
    std::array<QStringView, 1> overWords{};
    std::array<QStringView, 2> inProgressWords{};
    // The planned end, or the window's length in minutes for a format that gives that instead.
    QStringView startsAt;
    QStringView endsAt;
    QStringView minutes;
    QStringView url;
    QStringView components;
    QStringView componentID = u"id";
    QDateTime (*instant)(const QJsonObject &object, QStringView key) = &LenientJson::instant;
};

// Whether the entry's stage word says it is over.
bool isOver(const QJsonObject &entry, const IncidentFields &fields);
bool isOver(const QJsonObject &entry, const MaintenanceFields &fields);

// What an entry tells, with the parts it names.
Listed<Incident> readIncident(const QJsonObject &entry, const IncidentFields &fields);
Listed<Maintenance> readMaintenance(const QJsonObject &entry, const MaintenanceFields &fields);

// What the objects of the array under `key` that are not over tell, in their order; absent
// when there is no array there.
std::optional<QList<Listed<Incident>>> readIncidents(const QJsonObject &object, QStringView key,
                                                     const IncidentFields &fields);
std::optional<QList<Listed<Maintenance>>> readMaintenances(const QJsonObject &object, QStringView key,
                                                           const MaintenanceFields &fields);

} // namespace FeedStory
