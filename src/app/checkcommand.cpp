#include "app/checkcommand.h"

#include "app/appcore.h"
#include "core/escapedline.h"
#include "core/servicestore.h"
#include "monitor/statusmonitor.h"
#include "providers/providertable.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <vector>

namespace CheckCommand {

namespace {

void printErr(const QString &text)
{
    std::fprintf(stderr, "glinter: %s\n", qUtf8Printable(escapedLine(text)));
}

void printEmptyReport()
{
    const QByteArray empty = jsonReport({}, {});
    std::fwrite(empty.constData(), 1, std::size_t(empty.size()), stdout);
    std::fflush(stdout);
}

// A moment for machines: ISO 8601 in UTC, or null when the feed did not say.
QJsonValue instant(const QDateTime &moment)
{
    return moment.isValid() ? QJsonValue(moment.toUTC().toString(Qt::ISODate)) : QJsonValue();
}

QJsonArray incidentsJson(const QList<Incident> &incidents)
{
    QJsonArray array;
    for (const Incident &incident : incidents) {
        QJsonObject object{
            {QLatin1String("title"), incident.title},
            {QLatin1String("status"), incident.status.toLower()},
            {QLatin1String("startedAt"), instant(incident.startedAt)},
            {QLatin1String("updatedAt"), instant(incident.updatedAt)},
            {QLatin1String("update"), incident.update},
            {QLatin1String("url"), incident.url.toString(QUrl::FullyEncoded)},
        };
        if (incident.impact && *incident.impact != Indicator::Unknown)
            object.insert(QLatin1String("impact"), indicatorName(*incident.impact));
        array.append(object);
    }
    return array;
}

QJsonArray maintenancesJson(const QList<Maintenance> &maintenances)
{
    QJsonArray array;
    for (const Maintenance &maintenance : maintenances) {
        array.append(QJsonObject{
            {QLatin1String("title"), maintenance.title},
            {QLatin1String("status"), maintenanceStatusWord(maintenance.status)},
            {QLatin1String("startsAt"), instant(maintenance.startsAt)},
            {QLatin1String("endsAt"), instant(maintenance.endsAt)},
            {QLatin1String("url"), maintenance.url.toString(QUrl::FullyEncoded)},
        });
    }
    return array;
}

// "    identified since 2026-12-07 03:10 UTC: Elevated error rates"
QString incidentLine(const Incident &incident)
{
    QString line = QStringLiteral("    ")
                   + (incident.status.isEmpty() ? QStringLiteral("ongoing")
                                                : escapedLine(incident.status.toLower(), kNameLength));
    if (incident.startedAt.isValid())
        line += QStringLiteral(" since ") + incident.startedAt.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                + QStringLiteral(" UTC");
    return line + QStringLiteral(": ") + escapedLine(incident.title, kTextLength);
}

} // namespace

int exitCode(const QList<ServiceStatusResult> &results)
{
    bool minor = false;
    bool unknown = false;
    for (const ServiceStatusResult &result : results) {
        switch (result.indicator) {
        case Indicator::Major:
        case Indicator::Critical:
            return Critical;
        case Indicator::Minor:
            minor = true;
            break;
        case Indicator::Unknown:
            unknown = true;
            break;
        case Indicator::None:
            break;
        }
    }
    if (minor)
        return Warning;
    return unknown ? Unknown : Ok;
}

QString textReport(const QList<Service> &services, const QList<ServiceStatusResult> &results)
{
    QString text;
    for (qsizetype i = 0; i < services.size() && i < results.size(); ++i) {
        const ServiceStatusResult &result = results.at(i);
        QString line = indicatorName(result.indicator).toUpper().leftJustified(9)
                       + escapedLine(services.at(i).name, kNameLength) + QStringLiteral(": ")
                       + escapedLine(result.description, kTextLength);
        if (result.incidentTitle && !result.incidentTitle->isEmpty() && *result.incidentTitle != result.description)
            line += QStringLiteral(" \u2014 ") + escapedLine(*result.incidentTitle, kTextLength);
        if (result.isMaintenance)
            line += QStringLiteral(" [maintenance]");
        text += line + u'\n';
        // Under a service in trouble, what its page says is going on.
        if (result.indicator >= Indicator::Minor) {
            for (const Incident &incident : result.incidents)
                text += incidentLine(incident) + u'\n';
        }
    }
    return text;
}

QByteArray jsonReport(const QList<Service> &services, const QList<ServiceStatusResult> &results)
{
    QJsonArray array;
    for (qsizetype i = 0; i < services.size() && i < results.size(); ++i) {
        const Service &service = services.at(i);
        const ServiceStatusResult &result = results.at(i);
        QJsonObject object{
            {QLatin1String("id"), uuidText(service.id)},
            {QLatin1String("name"), service.name},
            {QLatin1String("provider"), service.providerName()},
            {QLatin1String("url"), service.urlText()},
            {QLatin1String("indicator"), indicatorName(result.indicator)},
            {QLatin1String("description"), result.description},
            {QLatin1String("isMaintenance"), result.isMaintenance},
            {QLatin1String("lastChecked"), result.lastChecked.toUTC().toString(Qt::ISODate)},
        };
        if (result.incidentTitle)
            object.insert(QLatin1String("incidentTitle"), *result.incidentTitle);
        // A narrowed service's state is its chosen parts' only: the report says which.
        if (service.components)
            object.insert(QLatin1String("components"), QJsonArray::fromStringList(*service.components));
        // The probe of a plain website reads no status page: it has no story to tell.
        if (service.provider && providerInfo(*service.provider).tellsStory) {
            object.insert(QLatin1String("incidents"), incidentsJson(result.incidents));
            object.insert(QLatin1String("maintenances"), maintenancesJson(result.maintenances));
        }
        array.append(object);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

QCoro::Task<int> run(Options options)
{
    const ServiceStore store = options.servicesFile ? ServiceStore::forFile(*options.servicesFile) : ServiceStore();

    // A check of a file it cannot use checks nothing: falling back to the default
    // services would report their state as if it were the state of what the user listed.
    // Only a missing default file means the defaults, as it does for the monitor.
    const ServiceFileContents contents = store.read();
    std::optional<QString> unusable;
    if (contents.readError && (options.servicesFile || !contents.missing))
        unusable = QCoreApplication::translate("CheckCommand", "cannot read %1: %2")
                       .arg(store.filePath(), *contents.readError);
    else if (contents.error)
        unusable =
            QCoreApplication::translate("CheckCommand", "%1 is not usable: %2").arg(store.filePath(), *contents.error);
    if (unusable) {
        printErr(*unusable + QCoreApplication::translate("CheckCommand", "; nothing was checked"));
        if (options.json)
            printEmptyReport();
        co_return Unknown;
    }
    for (const QString &problem : contents.problems)
        printErr(QCoreApplication::translate("CheckCommand", "%1: %2; not checked").arg(store.filePath(), problem));
    // A list the user emptied is theirs: nothing to check is not a failure, and the default
    // services (which stand only for a missing file) are not checked in its place.
    if (!contents.missing && contents.services.isEmpty()) {
        printErr(QCoreApplication::translate("CheckCommand", "%1 lists no services; nothing was checked")
                     .arg(store.filePath()));
        if (options.json)
            printEmptyReport();
        co_return Ok;
    }

    // The monitor's own refresh, on a store it never writes, without history or alerts.
    StatusMonitor::Setup setup = AppCore::monitorSetup(AppCore::Role::Checking, store);
    setup.contents = contents;
    StatusMonitor monitor(std::move(setup));

    QCoro::Task<> refresh = monitor.refresh();
    co_await refresh;

    const QList<Service> services = monitor.services();
    QList<ServiceStatusResult> results;
    for (const Service &service : services)
        results.append(monitor.result(service.id)
                           .value_or(ServiceStatusResult{service.id,
                                                         Indicator::Unknown,
                                                         label(Indicator::Unknown),
                                                         QDateTime::currentDateTimeUtc(),
                                                         {},
                                                         false}));

    const QByteArray report = options.json ? jsonReport(services, results) : textReport(services, results).toUtf8();
    std::fwrite(report.constData(), 1, std::size_t(report.size()), stdout);
    std::fflush(stdout);
    // A record that cannot be read is a listed service whose state nobody learnt: the run is
    // not all clear.
    const int code = exitCode(results);
    if (code == Ok && contents.unreadableRecords > 0)
        co_return Unknown;
    co_return code;
}

} // namespace CheckCommand
