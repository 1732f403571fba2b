#pragma once

#include "core/indicator.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <optional>

// An incident the page has not resolved yet.
struct Incident {
    QString title;
    // The stage in the feed's own word, lower case: "investigating", "identified",
    // "monitoring", ...; empty when the feed has none.
    QString status;
    // How bad the feed says it is (None to Critical), when it says.
    std::optional<Indicator> impact;
    // UTC; invalid when the feed does not say.
    QDateTime startedAt;
    QDateTime updatedAt;
    // The text of the latest update.
    QString update;
    // The incident's own page.
    QUrl url;

    bool operator==(const Incident &) const = default;
};

// Planned maintenance in progress, or starting within a week.
struct Maintenance {
    enum class Status { Scheduled, InProgress };

    QString title;
    Status status = Status::Scheduled;
    // UTC; invalid when the feed does not say.
    QDateTime startsAt;
    QDateTime endsAt;
    QUrl url;

    bool operator==(const Maintenance &) const = default;
};

// "scheduled", "in_progress".
QString maintenanceStatusWord(Maintenance::Status status);

// The outcome of one check of one service. Never persisted.
struct ServiceStatusResult {
    QUuid serviceID;
    Indicator indicator = Indicator::Unknown;
    QString description;
    QDateTime lastChecked;
    std::optional<QString> incidentTitle;
    bool isMaintenance = false;
    // What the feed tells besides the state, newest first as the feed lists them; empty
    // when it tells nothing (and always for the website probe, which reads no feed).
    QList<Incident> incidents;
    QList<Maintenance> maintenances;

    bool operator==(const ServiceStatusResult &) const = default;
};
