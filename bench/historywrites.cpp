// Bytes the monitor writes per full refresh: 119 services checked by a stand-in provider
// (no network), history and services file in a temporary folder, measured as the
// process's written bytes (/proc/self/io "wchar") around each refresh.
//
//   historywrites [--services N] [--refreshes R]
#include "monitor/statushistory.h"
#include "monitor/statusmonitor.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

qint64 writtenBytes()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = io.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("wchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

QCoro::Task<ServiceStatusResult> instantCheck(Service service)
{
    co_return ServiceStatusResult{
        service.id, Indicator::None, QStringLiteral("Fine"), QDateTime::currentDateTimeUtc(), std::nullopt, false};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption servicesOption(QStringLiteral("services"), QStringLiteral("Services to monitor."),
                                            QStringLiteral("n"), QStringLiteral("119"));
    const QCommandLineOption refreshesOption(QStringLiteral("refreshes"), QStringLiteral("Refreshes to run."),
                                             QStringLiteral("n"), QStringLiteral("100"));
    parser.addOptions({servicesOption, refreshesOption});
    parser.process(app);
    const int count = parser.value(servicesOption).toInt();
    const int refreshes = parser.value(refreshesOption).toInt();

    QTemporaryDir dir;
    QList<Service> services;
    for (int i = 0; i < count; ++i) {
        services.append(Service{QUuid::createUuid(), QStringLiteral("Service %1").arg(i),
                                QUrl(QStringLiteral("https://status%1.example").arg(i)), ProviderKind::Statuspage,
                                std::nullopt});
    }
    const ServiceStore store(dir.path());
    store.save(services);
    StatusHistory history(dir.filePath(QStringLiteral("history.json")));
    StatusMonitor::Setup setup(store);
    setup.history = &history;
    setup.watchFile = false;
    setup.autoRefresh = false;
    setup.check = instantCheck;
    StatusMonitor monitor(std::move(setup));

    QList<qint64> perRefresh;
    for (int i = 0; i < refreshes; ++i) {
        const qint64 before = writtenBytes();
        QCoro::waitFor(monitor.refresh());
        perRefresh.append(writtenBytes() - before);
    }
    qint64 total = 0;
    for (qint64 bytes : std::as_const(perRefresh))
        total += bytes;
    std::printf("services %d, refreshes %d, history.json now %lld bytes\n", count, refreshes,
                static_cast<long long>(QFile(history.filePath()).size()));
    for (int n : {1, 4, 96, refreshes}) {
        if (n <= perRefresh.size())
            std::printf("refresh %3d: %lld bytes written\n", n, static_cast<long long>(perRefresh.at(n - 1)));
    }
    std::printf("all %d refreshes: %lld bytes written\n", refreshes, static_cast<long long>(total));
    return 0;
}
