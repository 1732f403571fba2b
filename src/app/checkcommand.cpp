#include "app/checkcommand.h"

#include "core/servicestore.h"
#include "providers/providerregistry.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <vector>

namespace CheckCommand {

namespace {

void printErr(const QString &text)
{
    std::fprintf(stderr, "glinter: %s\n", qUtf8Printable(text));
}

struct Loaded {
    QList<Service> services;
    std::optional<QString> usageError;
};

Loaded loadServices(const Options &options)
{
    Loaded loaded;
    ServiceFileContents contents;
    QString path;
    if (options.servicesFile) {
        path = *options.servicesFile;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            loaded.usageError = QCoreApplication::translate("CheckCommand", "cannot read %1: %2")
                                    .arg(path, file.errorString());
            return loaded;
        }
        contents = ServiceStore::decode(file.readAll());
    } else {
        const ServiceStore store;
        path = store.filePath();
        contents = store.read();
    }
    if (contents.error) {
        printErr(QCoreApplication::translate("CheckCommand", "%1 is not usable (%2); checking the default services")
                     .arg(path, *contents.error));
    }
    loaded.services = contents.services.isEmpty() ? ServiceStore::seedList() : contents.services;
    return loaded;
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
        QString line = indicatorName(result.indicator).toUpper().leftJustified(9) + services.at(i).name
                       + QStringLiteral(": ") + result.description;
        if (result.incidentTitle && !result.incidentTitle->isEmpty() && *result.incidentTitle != result.description)
            line += QStringLiteral(" \u2014 ") + *result.incidentTitle;
        if (result.isMaintenance)
            line += QStringLiteral(" [maintenance]");
        text += line + u'\n';
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
            {QLatin1String("provider"), rawValue(service.provider)},
            {QLatin1String("url"), service.urlText()},
            {QLatin1String("indicator"), indicatorName(result.indicator)},
            {QLatin1String("description"), result.description},
            {QLatin1String("isMaintenance"), result.isMaintenance},
            {QLatin1String("lastChecked"), result.lastChecked.toUTC().toString(Qt::ISODate)},
        };
        if (result.incidentTitle)
            object.insert(QLatin1String("incidentTitle"), *result.incidentTitle);
        array.append(object);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

QCoro::Task<int> run(Options options)
{
    const Loaded loaded = loadServices(options);
    if (loaded.usageError) {
        printErr(*loaded.usageError);
        co_return Unknown;
    }

    // Every check starts at once; awaiting them in list order only orders the output.
    std::vector<QCoro::Task<ServiceStatusResult>> checks;
    checks.reserve(std::size_t(loaded.services.size()));
    for (const Service &service : loaded.services)
        checks.push_back(fetchWithRetry(service));

    QList<ServiceStatusResult> results;
    for (QCoro::Task<ServiceStatusResult> &check : checks) {
        ServiceStatusResult result = co_await check;
        results.append(std::move(result));
    }

    const QByteArray report = options.json ? jsonReport(loaded.services, results)
                                           : textReport(loaded.services, results).toUtf8();
    std::fwrite(report.constData(), 1, std::size_t(report.size()), stdout);
    std::fflush(stdout);
    co_return exitCode(results);
}

} // namespace CheckCommand
