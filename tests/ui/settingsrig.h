#pragma once

#include "catalog/servicecatalog.h"
#include "monitor/statusmonitor.h"

#include "scriptedcheck.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A monitor on a temporary folder with scripted checks, for the settings views.
struct SettingsRig {
    QTemporaryDir dir;
    ScriptedCheck check;
    std::unique_ptr<StatusMonitor> monitor;

    explicit SettingsRig(const QList<Service> &services = {})
    {
        const ServiceStore store(dir.path());
        store.save(services);
        StatusMonitor::Setup setup(store);
        setup.watchFile = false;
        setup.autoRefresh = false;
        setup.check = check.function();
        monitor = std::make_unique<StatusMonitor>(std::move(setup));
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

inline Service serviceFor(const CatalogEntry &entry)
{
    return Service{QUuid::createUuid(), entry.name, entry.url, entry.provider, std::nullopt};
}

inline Service customService(const QString &name, const QString &url)
{
    return Service{QUuid::createUuid(), name, QUrl(url), ProviderKind::Statuspage, std::nullopt};
}
