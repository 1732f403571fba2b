#pragma once

#include "core/service.h"
#include "core/servicestatusresult.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <qcoro/qcorotask.h>

// `glinter --check`: one headless check of every service, printed as lines or as one
// JSON array, with the monitoring-plugins exit status.
namespace CheckCommand {

enum ExitCode : int {
    Ok = 0,
    Warning = 1, // some service is minor
    Critical = 2, // some service is major or critical
    Unknown = 3, // some service is unreachable, or the command was misused
};

struct Options {
    bool json = false;
    std::optional<QString> servicesFile;
};

// 2 if any result is major or critical, else 1 if any is minor, else 3 if any is
// unknown, else 0.
int exitCode(const QList<ServiceStatusResult> &results);

// One line per service: state, name, description and, when named, the incident; the
// feeds' and the file's words escaped and cut.
QString textReport(const QList<Service> &services, const QList<ServiceStatusResult> &results);

// One JSON array, one object per service in list order.
QByteArray jsonReport(const QList<Service> &services, const QList<ServiceStatusResult> &results);

// Loads the services, checks them all at once, prints the report and returns the exit
// status. Writes no file but the cache of Status.io page identifiers.
QCoro::Task<int> run(Options options);

} // namespace CheckCommand
