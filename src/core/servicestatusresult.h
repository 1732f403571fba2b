#pragma once

#include "core/indicator.h"

#include <QDateTime>
#include <QString>
#include <QUuid>

#include <optional>

// The outcome of one check of one service. Never persisted.
struct ServiceStatusResult {
    QUuid serviceID;
    Indicator indicator = Indicator::Unknown;
    QString description;
    QDateTime lastChecked;
    std::optional<QString> incidentTitle;
    bool isMaintenance = false;

    bool operator==(const ServiceStatusResult &) const = default;
};
