#include "monitor/overview.h"

#include "core/settings.h"
#include "monitor/statusmonitor.h"
#include "monitor/uptimerecord.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// The context of these texts for translators, shared with the tray's menu.
class MenuContent
{
    Q_DECLARE_TR_FUNCTIONS(MenuContent)
};

int severityKey(const QHash<QUuid, ServiceStatusResult> &results, const Service &service)
{
    const auto it = results.constFind(service.id);
    return it == results.cend() ? -1 : storedNumber(it->indicator);
}

qint64 unixSeconds(const QDateTime &moment)
{
    return moment.isValid() ? moment.toSecsSinceEpoch() : 0;
}

} // namespace

GroupedServices groupServices(const QList<Service> &services, const QHash<QUuid, ServiceStatusResult> &results)
{
    GroupedServices grouped;
    for (const Service &service : services) {
        const int key = severityKey(results, service);
        const bool troubled = key >= storedNumber(Indicator::Minor) && key <= storedNumber(Indicator::Critical);
        (troubled ? grouped.affected : grouped.healthy).append(service);
    }
    std::stable_sort(grouped.affected.begin(), grouped.affected.end(), [&](const Service &a, const Service &b) {
        return severityKey(results, a) > severityKey(results, b);
    });
    return grouped;
}

QString summaryText(Indicator aggregate, bool offline)
{
    if (offline)
        return MenuContent::tr("No connection");
    switch (aggregate) {
    case Indicator::None:
        return MenuContent::tr("All Systems Operational");
    case Indicator::Minor:
        return MenuContent::tr("Some Systems Degraded");
    case Indicator::Major:
        return MenuContent::tr("Partial Service Outage");
    case Indicator::Critical:
        return MenuContent::tr("Major Service Outage");
    case Indicator::Unknown:
        break;
    }
    return MenuContent::tr("Status Unavailable");
}

QList<ServiceEntry> Overview::troubled() const
{
    QList<ServiceEntry> list;
    std::copy_if(services.cbegin(), services.cend(), std::back_inserter(list),
                 [](const ServiceEntry &entry) { return entry.indicator >= Indicator::Minor; });
    return list;
}

ServiceEntry serviceEntry(const Service &service, const std::optional<ServiceStatusResult> &result, bool muted)
{
    ServiceEntry entry{
        .id = uuidText(service.id),
        .name = service.name,
        .url = service.urlText(),
        .provider = service.providerName(),
        .muted = muted,
    };
    if (result) {
        entry.indicator = result->indicator;
        entry.description = result->description;
        entry.lastChecked = unixSeconds(result->lastChecked);
        if (result->incidentTitle && !result->incidentTitle->isEmpty())
            entry.incidentTitle = result->incidentTitle;
    } else {
        // Not checked yet, which is not unreachable: the panel's words for it.
        entry.description = MenuContent::tr("Checking\u2026");
    }
    return entry;
}

Overview overview(const StatusMonitor &monitor, const Settings &settings)
{
    Overview view{
        .indicator = monitor.aggregate(),
        .summary = summaryText(monitor.aggregate(), monitor.isOffline()),
        .lastRefresh = unixSeconds(monitor.lastUpdated().value_or(QDateTime())),
    };
    const Settings::Mutes mutes = settings.mutes();
    const GroupedServices grouped = groupServices(monitor.services(), monitor.results());
    for (const QList<Service> *group : {&grouped.affected, &grouped.healthy}) {
        for (const Service &service : *group) {
            ServiceEntry entry = serviceEntry(service, monitor.result(service.id), mutes.contains(service.id));
            for (const int days : operationalWindows) {
                if (const std::optional<double> share = monitor.operationalShare(service.id, std::chrono::days(days)))
                    entry.operationalShares.insert(days, *share);
            }
            view.services.append(std::move(entry));
        }
    }
    return view;
}

QVariantMap entryMap(const ServiceEntry &entry)
{
    QVariantMap map{
        {QStringLiteral("id"), entry.id},
        {QStringLiteral("name"), entry.name},
        {QStringLiteral("url"), entry.url},
        {QStringLiteral("provider"), entry.provider},
        {QStringLiteral("indicator"), indicatorName(entry.indicator)},
        {QStringLiteral("description"), entry.description},
        {QStringLiteral("lastChecked"), entry.lastChecked},
        {QStringLiteral("muted"), entry.muted},
    };
    if (entry.incidentTitle)
        map.insert(QStringLiteral("incidentTitle"), *entry.incidentTitle);
    for (auto share = entry.operationalShares.cbegin(); share != entry.operationalShares.cend(); ++share)
        map.insert(QStringLiteral("operational%1d").arg(share.key()), share.value());
    return map;
}

ServiceEntry entryFromMap(const QVariantMap &map)
{
    ServiceEntry entry{
        .id = map.value(QStringLiteral("id")).toString(),
        .name = map.value(QStringLiteral("name")).toString(),
        .url = map.value(QStringLiteral("url")).toString(),
        .provider = map.value(QStringLiteral("provider")).toString(),
        .indicator = indicatorFromStatuspageWord(map.value(QStringLiteral("indicator")).toString()),
        .description = map.value(QStringLiteral("description")).toString(),
        .lastChecked = map.value(QStringLiteral("lastChecked")).toLongLong(),
        .muted = map.value(QStringLiteral("muted")).toBool(),
    };
    if (map.contains(QStringLiteral("incidentTitle")))
        entry.incidentTitle = map.value(QStringLiteral("incidentTitle")).toString();
    for (const int days : operationalWindows) {
        const QString key = QStringLiteral("operational%1d").arg(days);
        if (map.contains(key))
            entry.operationalShares.insert(days, map.value(key).toDouble());
    }
    return entry;
}
