#pragma once

#include "monitor/statushistory.h"
#include "monitor/statusmonitor.h"
#include "monitor/uptimerecord.h"

#include "scriptedcheck.h"

#include <QTemporaryDir>
#include <qcoro/qcorotask.h>

#include <memory>
#include <optional>

struct MonitorRigOptions {
    bool watchFile = false;
    bool history = false; // and the uptime record
    std::optional<QString> folder; // default: the rig's own temporary folder
};

// A service for the tests; its page is https://<name in lower case>.example unless given.
inline Service makeService(QAnyStringView name, QAnyStringView url = {},
                           ProviderKind provider = ProviderKind::Statuspage)
{
    const QString text = name.toString();
    return Service{
        QUuid::createUuid(), text,
        QUrl(url.isEmpty() ? QStringLiteral("https://") + text.toLower() + QStringLiteral(".example") : url.toString()),
        provider, std::nullopt};
}

inline QStringList names(const QList<Service> &services)
{
    QStringList list;
    for (const Service &service : services)
        list.append(service.name);
    return list;
}

inline QStringList words(const char *text)
{
    return QString::fromUtf8(text).split(u' ');
}

// A monitor on a temporary folder with scripted checks that never refreshes on its own.
// An empty list writes no file, so the monitor starts on the seed list.
struct MonitorRig {
    QTemporaryDir dir;
    ScriptedCheck check;
    std::unique_ptr<StatusHistory> history;
    std::unique_ptr<UptimeRecord> uptime;
    std::unique_ptr<StatusMonitor> monitor;

    explicit MonitorRig(const QList<Service> &services = {}, const MonitorRigOptions &options = {})
    {
        const ServiceStore store(options.folder.value_or(dir.path()));
        if (!services.isEmpty())
            (void)store.save(services);
        StatusMonitor::Setup setup(store);
        if (options.history) {
            history = std::make_unique<StatusHistory>(dir.filePath(QStringLiteral("history.json")));
            setup.history = history.get();
            uptime = std::make_unique<UptimeRecord>(dir.filePath(QStringLiteral("uptime.json")));
            setup.uptime = uptime.get();
        }
        setup.watchFile = options.watchFile;
        setup.autoRefresh = false;
        setup.check = check.function();
        monitor = std::make_unique<StatusMonitor>(std::move(setup));
    }

    void refresh() { QCoro::waitFor(monitor->refresh()); }
};
