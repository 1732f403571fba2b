#include "app/headless.h"

#include "app/appcore.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "core/escapedline.h"
#include "metrics/metricscollector.h"
#include "metrics/metricsserver.h"
#include "platform/terminationsignals.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstdio>

namespace Headless {

namespace {

// One line of the log: whatever the parts held (a path, a name, a feed's words), no control
// character reaches the journal or the terminal, and the line stays one line.
void print(const QString &line)
{
    const QString stamped = QDateTime::currentDateTimeUtc().toString(Qt::ISODate) + u' ' + escapedLine(line) + u'\n';
    std::fputs(qUtf8Printable(stamped), stdout);
    std::fflush(stdout);
}

QString servicesText(qsizetype count)
{
    return QCoreApplication::translate("Headless", "%n service(s)", nullptr, int(count));
}

QString stateText(Indicator indicator)
{
    return indicatorName(indicator);
}

// Prints what changed in the list since the last time it looked.
class ListPrinter
{
public:
    explicit ListPrinter(const QList<Service> &services) { remember(services); }

    void changed(const QList<Service> &services)
    {
        QStringList added;
        QStringList removed;
        QSet<QUuid> now;
        for (const Service &service : services) {
            now.insert(service.id);
            if (!m_names.contains(service.id))
                added.append(escapedLine(service.name, kNameLength));
        }
        for (auto it = m_names.cbegin(); it != m_names.cend(); ++it) {
            if (!now.contains(it.key()))
                removed.append(escapedLine(it.value(), kNameLength));
        }
        QString line = QCoreApplication::translate("Headless", "list: %1").arg(servicesText(services.size()));
        if (!added.isEmpty())
            line += QCoreApplication::translate("Headless", "; added %1").arg(added.join(QStringLiteral(", ")));
        if (!removed.isEmpty())
            line += QCoreApplication::translate("Headless", "; removed %1").arg(removed.join(QStringLiteral(", ")));
        print(line);
        remember(services);
    }

private:
    void remember(const QList<Service> &services)
    {
        m_names.clear();
        for (const Service &service : services)
            m_names.insert(service.id, service.name);
    }

    QHash<QUuid, QString> m_names;
};

} // namespace

int run(const Options &options)
{
    // One monitor per session, whichever kind: a second one would write the same files and
    // send every alert twice.
    SingleInstance instance(SingleInstance::Kind::Headless);
    switch (instance.claim()) {
    case SingleInstance::Claim::Running:
        break;
    case SingleInstance::Claim::Taken: {
        const qint64 process = instance.runningProcess();
        const QString running = process > 0 ? QCoreApplication::translate("Headless", "process %1").arg(process)
                                            : QCoreApplication::translate("Headless", "process unknown");
        std::fprintf(stderr, "glinter: %s\n",
                     qUtf8Printable(QCoreApplication::translate(
                                        "Headless", "Glinter is already running (%1) and only one may watch the "
                                                    "services; glinter --watch and glinter --check run beside it")
                                        .arg(running)));
        return kCannotRun;
    }
    case SingleInstance::Claim::Unavailable:
        // Better two monitors than none.
        std::fprintf(stderr, "glinter: cannot make sure Glinter runs once: %s\n", qUtf8Printable(instance.error()));
        break;
    }

    // Listen before anything else starts, so that an unusable address ends the program
    // before it touches any file. Scrapes are answered once the event loop runs, by which
    // time the collector exists.
    std::unique_ptr<MetricsCollector> collector;
    std::unique_ptr<MetricsServer> metrics;
    if (options.metricsListen) {
        metrics = std::make_unique<MetricsServer>([&collector](MetricsFormat format) {
            return collector ? renderMetrics(collector->snapshot(), format) : QByteArray();
        });
        if (const std::optional<QString> error = metrics->start(*options.metricsListen)) {
            std::fprintf(stderr, "glinter: cannot listen for metrics on %s: %s\n",
                         qUtf8Printable(options.metricsListen->toString()), qUtf8Printable(*error));
            return kCannotRun;
        }
    }

    // Before the monitor reads the services file, which may take long: a stop asked for
    // meanwhile still ends the process within a second.
    // The history and the uptime record are written as the stop is taken up, while the
    // watchdog allows for it.
    StatusMonitor *running = nullptr;
    const std::unique_ptr<TerminationSignals> termination = Startup::quitOnTermination([&running](int number) {
        print(QCoreApplication::translate("Headless", "stopping (signal %1)").arg(number));
        if (running)
            running->flush();
    });
    AppCore core(AppCore::Options{});
    StatusMonitor &monitor = core.monitor();
    running = &monitor;
    const ServiceStore &store = monitor.store();

    print(QCoreApplication::translate("Headless", "watching %1 (%2)")
              .arg(store.filePath(), servicesText(monitor.services().size())));
    if (const std::optional<QString> error = monitor.configError())
        print(*error);

    if (metrics) {
        collector = std::make_unique<MetricsCollector>(monitor, QCoreApplication::applicationVersion());
        ListenAddress bound = *options.metricsListen;
        bound.port = metrics->port();
        print(QCoreApplication::translate("Headless", "metrics at http://%1/metrics").arg(bound.toString()));
    }

    ListPrinter list(monitor.services());
    QObject::connect(&monitor, &StatusMonitor::servicesChanged, &monitor, [&] { list.changed(monitor.services()); });
    QObject::connect(&monitor, &StatusMonitor::configErrorChanged, &monitor, [&] {
        if (const std::optional<QString> error = monitor.configError())
            print(*error);
        else
            print(QCoreApplication::translate("Headless", "%1 is fine again")
                      .arg(QFileInfo(store.filePath()).fileName()));
    });
    QObject::connect(&monitor, &StatusMonitor::resultApplied, &monitor,
                     [](const Service &service, const std::optional<ServiceStatusResult> &previous,
                        const ServiceStatusResult &result) {
                         if (previous && previous->indicator == result.indicator)
                             return;
                         const QString from = previous ? stateText(previous->indicator) : QStringLiteral("-");
                         QString line = escapedLine(service.name, kNameLength) + QStringLiteral(": ") + from
                                        + QStringLiteral(" \u2192 ") + stateText(result.indicator)
                                        + QStringLiteral(" (") + escapedLine(result.description, kTextLength) + u')';
                         if (result.incidentTitle && !result.incidentTitle->isEmpty())
                             line += QStringLiteral(" \u2014 ") + escapedLine(*result.incidentTitle, kTextLength);
                         print(line);
                     });

    // A desktop session can show the notifications of a headless run too, with their mute action.
    QObject::connect(&core, &AppCore::muted, &core, [&monitor](const QUuid &serviceID, const QDateTime &end) {
        if (const Service *service = monitor.service(serviceID))
            print(QCoreApplication::translate("Headless", "%1 muted until %2")
                      .arg(escapedLine(service->name, kNameLength), end.toString(Qt::ISODate)));
    });

    return QCoreApplication::exec();
}

} // namespace Headless
