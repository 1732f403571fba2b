#pragma once

#include "catalog/servicecatalog.h"

#include "monitorrig.h"

#include <QTest>

struct SettingsRig : MonitorRig {
    explicit SettingsRig(const QList<Service> &services = {})
        : MonitorRig(services)
    {
        // An empty file is seeded on start; these tests begin with exactly what they give.
        if (services.isEmpty()) {
            QSet<qsizetype> all;
            for (qsizetype i = 0; i < monitor->services().size(); ++i)
                all.insert(i);
            monitor->remove(all);
        }
    }

    QList<Service> saved() const { return monitor->store().read().services; }
};

inline CatalogEntry catalogEntry(const QString &name)
{
    for (const CatalogEntry &entry : ServiceCatalog::all()) {
        if (entry.name == name)
            return entry;
    }
    qFatal("no catalog entry %s", qPrintable(name));
}

inline Service catalogService(const QString &name)
{
    const CatalogEntry entry = catalogEntry(name);
    return Service{QUuid::createUuid(), entry.name, entry.url, entry.provider, std::nullopt};
}
