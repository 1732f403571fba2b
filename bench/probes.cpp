// Full refreshes of many website probes, one after the other in this process, against
// bench/manyfeeds.py (plain HTTP on 50 loopback ports): CPU and wall time per refresh, as
// median, lowest and highest of the runs. A quicker and steadier figure than bench/scale.sh,
// which measures the whole --headless program refreshing on its timer.
//
//   probes [--services N] [--runs R]
#include "monitor/statusmonitor.h"

#include "benchmonitor.h"
#include "measure.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption servicesOption(QStringLiteral("services"), QStringLiteral("Number of probes."),
                                            QStringLiteral("N"), QStringLiteral("10000"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Measured refreshes."),
                                        QStringLiteral("R"), QStringLiteral("7"));
    parser.addOptions({servicesOption, runsOption});
    parser.process(app);
    const int count = std::max(1, parser.value(servicesOption).toInt());
    const int runs = std::max(1, parser.value(runsOption).toInt());

    const int port = 20000 + int(QRandomGenerator::global()->bounded(10000));
    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    server.start(QStringLiteral("python3"), {QStringLiteral(GLINTER_BENCH_DIR "/manyfeeds.py"), QString::number(port)});
    if (!server.waitForReadyRead(30000)) {
        std::fprintf(stderr, "probes: the server did not start\n");
        return 1;
    }

    QTemporaryDir dir;
    QList<Service> services;
    services.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QUrl url(QStringLiteral("http://127.0.0.1:%1/%2").arg(port + i % 50).arg(i));
        services.append(
            Service{QUuid::createUuid(), QStringLiteral("S%1").arg(i), url, ProviderKind::Website, std::nullopt});
    }
    const ServiceStore store(dir.path());
    store.save(services);
    StatusMonitor::Setup setup = drivenMonitorSetup(store);
    StatusMonitor monitor(std::move(setup));

    std::vector<double> cpu;
    std::vector<double> wall;
    int offline = 0;
    for (int i = 0; i <= runs; ++i) {
        const double cpuBefore = Measure::cpuMs();
        const qint64 start = Measure::steadyNs();
        QCoro::waitFor(monitor.refresh());
        if (i == 0) {
            // The warm-up opens the connections the others use again.
            for (const ServiceStatusResult &result : monitor.results())
                offline += result.indicator == Indicator::None ? 0 : 1;
            continue;
        }
        wall.push_back(double(Measure::steadyNs() - start) / 1e6);
        cpu.push_back(Measure::cpuMs() - cpuBefore);
    }
    server.kill();
    server.waitForFinished();

    std::printf("probes: %d website probes, %d refreshes after a warm-up\n", count, runs);
    if (offline > 0)
        std::printf("warning: %d probes were not online in the warm-up\n", offline);
    std::printf("cpu ms per refresh:  median %.0f, %.0f-%.0f\n", Measure::median(cpu),
                *std::min_element(cpu.begin(), cpu.end()), *std::max_element(cpu.begin(), cpu.end()));
    std::printf("wall ms per refresh: median %.0f, %.0f-%.0f\n", Measure::median(wall),
                *std::min_element(wall.begin(), wall.end()), *std::max_element(wall.begin(), wall.end()));
    return 0;
}
