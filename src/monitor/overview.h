#pragma once

#include "core/indicator.h"
#include "core/service.h"
#include "core/servicestatusresult.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QUuid>
#include <QVariantMap>

#include <optional>

class Settings;
class StatusMonitor;

// The monitor at a glance, in words and values without any widget: what the panel's header
// and list show, and what the session bus and `glinter --watch` publish.

// The panel's list: troubled services first, most severe first, each group otherwise in
// stored order.
struct GroupedServices {
    QList<Service> affected;
    QList<Service> healthy;

    // The divider between the groups appears only when both have rows.
    bool hasDivider() const { return !affected.isEmpty() && !healthy.isEmpty(); }
};

GroupedServices groupServices(const QList<Service> &services, const QHash<QUuid, ServiceStatusResult> &results);

// The header's first line: the overall state, or "No connection" while offline.
QString summaryText(Indicator aggregate, bool offline);

// One service as the bus and the status bars see it.
struct ServiceEntry {
    QString id;
    QString name;
    QString url;
    QString provider;
    Indicator indicator = Indicator::Unknown;
    QString description;
    // Unix seconds; 0 before the first check.
    qint64 lastChecked = 0;
    bool muted = false;
    std::optional<QString> incidentTitle;
    // The share of operational checks over 7, 30 and 90 days (by days), for the windows the
    // uptime record covers.
    QMap<int, double> operationalShares;

    bool operator==(const ServiceEntry &) const = default;
};

struct Overview {
    Indicator indicator = Indicator::Unknown;
    QString summary;
    // Unix seconds of the newest result; 0 before the first.
    qint64 lastRefresh = 0;
    // In panel order.
    QList<ServiceEntry> services;

    bool operator==(const Overview &) const = default;
    // The services in trouble (minor or worse).
    QList<ServiceEntry> troubled() const;
};

// The one place an entry is made from the monitor's data.
ServiceEntry serviceEntry(const Service &service, const std::optional<ServiceStatusResult> &result, bool muted);

Overview overview(const StatusMonitor &monitor, const Settings &settings);

// The entry as the bus carries it (a{sv}), and back; unknown keys are ignored and missing
// ones left at their defaults.
QVariantMap entryMap(const ServiceEntry &entry);
ServiceEntry entryFromMap(const QVariantMap &map);
