#pragma once

#include "core/indicator.h"
#include "core/service.h"
#include "core/servicestatusresult.h"
#include "monitor/uptimerecord.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimeZone>
#include <QUrl>

#include <optional>

// What a service's details tell, as pure functions of its result, its uptime record and the time:
// the incidents the page has not resolved, the maintenance windows and the past week.

// The moment the details are shown, and the zone whose clock the user reads.
struct DetailsTime {
    QDateTime now;
    QTimeZone zone = QTimeZone::systemTimeZone();
};

struct IncidentText {
    QString title;
    // "Identified · Started 2 hours ago (10:04 AM)", or the part that is known.
    QString statusLine;
    // The latest update, whitespace folded, cut at a word past a few sentences.
    QString update;
    // "Updated 20 minutes ago"; empty when the feed gives no time.
    QString updateAge;
    QUrl page;
    // What the "Open incident" button says it does, naming the incident.
    QString openDescription;

    bool operator==(const IncidentText &) const = default;
};

struct MaintenanceText {
    QString title;
    // "Tonight 10:00 – 11:00 PM", "In progress until 11:00 PM", ...
    QString when;

    bool operator==(const MaintenanceText &) const = default;
};

struct DetailsContent {
    QString name;
    // The accessible name of the control that opens them: "Details for " + the name.
    QString controlName;
    QList<IncidentText> incidents;
    QList<MaintenanceText> maintenances;
    // "99.0 % operational over 7 days", or "No history yet"; below it, once the record
    // reaches back that far, a line each for 30 and 90 days.
    QString weekText;
    // The week in two-hour places, oldest first, for the strip.
    QList<std::optional<Indicator>> weekSlots;

    bool operator==(const DetailsContent &) const = default;
};

// Whether a service has anything to tell beyond its row: incidents, maintenance or a week
// with readable checks in its uptime record.
bool hasDetails(const std::optional<ServiceStatusResult> &result, const UptimeRecord::Series &uptime,
                const QDateTime &now);

// "Details for GitHub".
QString detailsControlName(const QString &serviceName);

DetailsContent detailsContent(const Service &service, const std::optional<ServiceStatusResult> &result,
                              const UptimeRecord::Series &uptime, const DetailsTime &time);

// The feed's stage word for people: "identified" → "Identified", "in_progress" → "In progress",
// in the user's language for the stages status pages share; others as the feed wrote them.
QString stageWord(const QString &word);

// "Started 2 hours ago (10:04 AM)": how long ago and the clock time, with the date when it
// was not today. Empty for an unknown start.
QString startedText(const QDateTime &startedAt, const DetailsTime &time);

// When a maintenance window is, in the user's locale: "Tonight 10:00 – 11:00 PM",
// "Tomorrow 9:00 – 11:00 AM", "Thu, Dec 10, 10:00 – 11:00 PM", "In progress until 11:00 PM".
QString maintenanceWhen(const Maintenance &maintenance, const DetailsTime &time);

// "99.0 % operational over 7 days", over the time the record reaches back (a week at most,
// less while the record is younger), then "99.95 % operational over 30 days" and over 90
// days on lines of their own once it reaches back that far; "No history yet" without
// readable checks.
QString weekText(const UptimeRecord::Series &uptime, const QDateTime &now);

// The week before `now` in weekStripSlots places of two hours, oldest first: the worst
// readable state of the record's hours in each, none where nothing was read.
QList<std::optional<Indicator>> weekSlots(const UptimeRecord::Series &uptime, const QDateTime &now);
