// Scrapes of the metrics endpoint with every catalog service monitored (119 by default).
// Reports, per scrape: the time to copy the monitor into a snapshot and render it, the
// round trip of a GET /metrics over loopback, and the CPU time the monitor's thread spent
// answering it (accepting, parsing, rendering, writing).
//
//   metricsscrape [--services N] [--scrapes S]
#include "catalog/servicecatalog.h"
#include "metrics/metricscollector.h"
#include "metrics/metricsserver.h"
#include "monitor/statusmonitor.h"

#include "benchmonitor.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

double threadCpuUs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(fraction * double(values.size())))];
}

QCoro::Task<ServiceStatusResult> answer(Service service)
{
    // A spread of states, so that the text looks like a real one.
    static const Indicator states[] = {Indicator::None,  Indicator::None,     Indicator::None,   Indicator::Minor,
                                       Indicator::Major, Indicator::Critical, Indicator::Unknown};
    const Indicator indicator = states[qHash(service.id) % std::size(states)];
    co_return ServiceStatusResult{service.id,       indicator,
                                  label(indicator), QDateTime::currentDateTimeUtc(),
                                  std::nullopt,     indicator == Indicator::Minor};
}

// One GET /metrics on a fresh connection; the body size, or -1.
qsizetype scrape(quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    const char request[] = "GET /metrics HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: */*\r\n\r\n";
    if (::send(fd, request, sizeof request - 1, 0) != qsizetype(sizeof request - 1)) {
        ::close(fd);
        return -1;
    }
    QByteArray received;
    char buffer[65536];
    qsizetype expected = -1;
    while (expected < 0 || received.size() < expected) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        received.append(buffer, n);
        const qsizetype end = received.indexOf("\r\n\r\n");
        if (expected < 0 && end >= 0) {
            const qsizetype at = received.toLower().indexOf("content-length:");
            if (at < 0 || at > end)
                break;
            expected = end + 4 + received.mid(at + 15, received.indexOf('\r', at) - at - 15).trimmed().toLongLong();
        }
    }
    ::close(fd);
    const qsizetype headerEnd = received.indexOf("\r\n\r\n");
    return expected >= 0 && received.size() == expected ? received.size() - headerEnd - 4 : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption servicesOption(QStringLiteral("services"), QStringLiteral("Services monitored."),
                                            QStringLiteral("n"), QString::number(ServiceCatalog::all().size()));
    const QCommandLineOption scrapesOption(QStringLiteral("scrapes"), QStringLiteral("Scrapes measured."),
                                           QStringLiteral("n"), QStringLiteral("500"));
    parser.addOptions({servicesOption, scrapesOption});
    parser.addHelpOption();
    parser.process(app);
    const int count = std::max(1, parser.value(servicesOption).toInt());
    const int scrapes = std::max(1, parser.value(scrapesOption).toInt());

    const QList<CatalogEntry> &catalog = ServiceCatalog::all();
    QList<Service> services;
    for (int i = 0; i < count; ++i) {
        const CatalogEntry &entry = catalog.at(i % catalog.size());
        services.append(Service{QUuid::createUuid(), entry.name, entry.url, entry.provider, std::nullopt});
    }

    QTemporaryDir dir;
    const ServiceStore store(dir.path());
    store.save(services);
    StatusMonitor::Setup setup = drivenMonitorSetup(store);
    setup.check = answer;
    StatusMonitor monitor(std::move(setup));
    MetricsCollector collector(monitor, QStringLiteral("bench"));
    QCoro::waitFor(monitor.refresh());

    // Snapshot and render alone, on this thread.
    std::vector<double> renderUs;
    qsizetype bytes = 0;
    for (int i = 0; i < scrapes; ++i) {
        QElapsedTimer clock;
        clock.start();
        const QByteArray text = renderMetrics(collector.snapshot(), MetricsFormat::Prometheus);
        renderUs.push_back(double(clock.nsecsElapsed()) / 1e3);
        bytes = text.size();
    }

    // Whole scrapes over HTTP from another thread, answered by this one.
    MetricsServer server([&collector](MetricsFormat format) { return renderMetrics(collector.snapshot(), format); });
    ListenAddress address;
    address.address = QHostAddress(QHostAddress::LocalHost);
    if (const std::optional<QString> error = server.start(address)) {
        std::fprintf(stderr, "metricsscrape: %s\n", qUtf8Printable(*error));
        return 1;
    }
    const quint16 port = server.port();
    std::vector<double> roundTripUs;
    std::atomic<int> failed{0};
    const double cpuBefore = threadCpuUs();
    std::thread client([&] {
        for (int i = 0; i < scrapes; ++i) {
            QElapsedTimer clock;
            clock.start();
            if (scrape(port) != bytes)
                ++failed;
            roundTripUs.push_back(double(clock.nsecsElapsed()) / 1e3);
        }
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
    });
    QCoreApplication::exec();
    client.join();
    const double serverCpuUs = (threadCpuUs() - cpuBefore) / scrapes;

    std::printf("services: %d, scrapes: %d, text: %lld bytes, failed scrapes: %d\n", count, scrapes,
                static_cast<long long>(bytes), failed.load());
    std::printf("snapshot + render:            median %8.1f us   p99 %8.1f us\n", percentile(renderUs, 0.5),
                percentile(renderUs, 0.99));
    std::printf("GET /metrics round trip:      median %8.1f us   p99 %8.1f us\n", percentile(roundTripUs, 0.5),
                percentile(roundTripUs, 0.99));
    std::printf("monitor thread CPU per scrape: mean  %8.1f us\n", serverCpuUs);
    return failed.load() == 0 ? 0 : 1;
}
