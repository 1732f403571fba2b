// Full refreshes of the monitor against a local fake internet, next to curl fetching the
// same addresses in parallel. Reports the median wall time, CPU time and peak RSS per
// refresh of both, and their ratios.
//
//   refresh [--feeds N] [--latency MS] [--runs R]
#include "catalog/servicecatalog.h"
#include "monitor/statusmonitor.h"
#include "net/networkenvironment.h"
#include "providers/readertable.h"
#include "providers/statuspageprovider.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct Figures {
    double wallMs = 0;
    double cpuMs = 0;
};

double cpuMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto ms = [](timeval t) { return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

long peakRssKb(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_maxrss;
}

long highWaterKb(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

QString caPath()
{
    return QStringLiteral(GLINTER_TEST_DATA "/tls/ca.pem");
}

// The address a reader of this kind asks for, for curl to fetch the same.
QString endpoint(const Service &service, const QUrl &origin)
{
    const QString base = service.url.toString(QUrl::RemovePath | QUrl::StripTrailingSlash);
    const QString fixed = origin.toString();
    switch (service.provider) {
    case ProviderKind::Statuspage:
        return base + QStringLiteral("/api/v2/status.json");
    case ProviderKind::Instatus:
        return base + QStringLiteral("/summary.json");
    case ProviderKind::Website:
        return service.url.toString();
    case ProviderKind::StatusIo:
        return service.url.toString() + QStringLiteral(" ") + fixed
               + QStringLiteral("/1.0/status/5b36dc6502d06804c08349f7");
    default:
        // the vendors' own feeds, moved to the feed origin
        return fixedFeed(service.provider).toString();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption feedsOption(QStringLiteral("feeds"), QStringLiteral("Number of feeds."),
                                         QStringLiteral("N"), QStringLiteral("119"));
    const QCommandLineOption latencyOption(QStringLiteral("latency"), QStringLiteral("Latency of every answer in ms."),
                                           QStringLiteral("MS"), QStringLiteral("300"));
    const QCommandLineOption runsOption(QStringLiteral("runs"), QStringLiteral("Measured refreshes."),
                                        QStringLiteral("R"), QStringLiteral("5"));
    parser.addOptions({feedsOption, latencyOption, runsOption});
    parser.process(app);
    const int feeds = std::max(1, parser.value(feedsOption).toInt());
    const int latency = std::max(0, parser.value(latencyOption).toInt());
    const int runs = std::max(1, parser.value(runsOption).toInt());

    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // One server per feed plus one for the fixed vendor feeds, as each of those has a host
    // of its own in real life (a client opens at most six connections to one host).
    server.start(QCoreApplication::applicationDirPath() + QStringLiteral("/glinter-bench-feedserver"),
                 {QString::number(feeds + 1), QString::number(latency)});
    if (!server.waitForReadyRead(60000)) {
        std::fprintf(stderr, "refresh: the feed server did not start\n");
        return 1;
    }
    const QList<QByteArray> ports = server.readLine().trimmed().split(' ').mid(1);

    // Trust the test authority alone, as curl's --cacert does: the system's roots would be
    // loaded on demand in real use, but an explicit list is parsed into every connection.
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setCaCertificates(QSslCertificate::fromPath(caPath()));
    QSslConfiguration::setDefaultConfiguration(tls);
    const QUrl origin(QStringLiteral("https://127.0.0.1:") + QString::fromLatin1(ports.first()));
    NetworkEnvironment::setFeedOrigin(origin);

    // The catalog's mix of formats, each service on its own host (port).
    const QList<CatalogEntry> &catalog = ServiceCatalog::all();
    QList<Service> services;
    for (int i = 0; i < feeds; ++i) {
        const CatalogEntry &entry = catalog.at(i % catalog.size());
        const QUrl url(QStringLiteral("https://127.0.0.1:") + QString::fromLatin1(ports.at(i + 1))
                       + QStringLiteral("/"));
        services.append(Service{QUuid::createUuid(), entry.name, url, entry.provider, std::nullopt});
    }

    QTemporaryDir dir;
    const ServiceStore store(dir.path());
    store.save(services);
    StatusMonitor::Setup setup(store);
    setup.watchFile = false;
    setup.readOnly = true;
    setup.autoRefresh = false;
    StatusMonitor monitor(std::move(setup));

    const auto refreshOnce = [&] {
        QElapsedTimer clock;
        const double cpuBefore = cpuMs(RUSAGE_SELF);
        clock.start();
        QCoro::waitFor(monitor.refresh());
        return Figures{double(clock.nsecsElapsed()) / 1e6, cpuMs(RUSAGE_SELF) - cpuBefore};
    };

    refreshOnce(); // warm-up: loads the TLS backend and certificates once
    int unreadable = 0;
    for (const ServiceStatusResult &result : monitor.results())
        unreadable += result.indicator == Indicator::Unknown ? 1 : 0;

    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        const Figures figures = refreshOnce();
        wall.push_back(figures.wallMs);
        cpu.push_back(figures.cpuMs);
    }
    const long glinterRss = peakRssKb(RUSAGE_SELF);

    // curl fetching the same addresses, the same number of times.
    QFile config(dir.filePath(QStringLiteral("curl.conf")));
    if (!config.open(QIODevice::WriteOnly))
        return 1;
    int urls = 0;
    for (const Service &service : std::as_const(services)) {
        for (const QString &url : endpoint(service, origin).split(u' ')) {
            config.write("url = \"" + url.toUtf8() + "\"\noutput = \"/dev/null\"\n");
            ++urls;
        }
    }
    config.close();
    // posix_spawn (not fork) so that curl's peak RSS is its own, not a copy of ours.
    std::vector<double> curlWall, curlCpu;
    long curlRss = 0;
    const QByteArray ca = caPath().toLocal8Bit();
    const QByteArray conf = config.fileName().toLocal8Bit();
    for (int i = 0; i < runs; ++i) {
        const char *curlArgs[] = {"curl",     "--parallel",          "--parallel-max", "200",
                                  "--silent", "--no-progress-meter", "--cacert",       ca.constData(),
                                  "--config", conf.constData(),      nullptr};
        QElapsedTimer clock;
        clock.start();
        pid_t pid = 0;
        if (posix_spawnp(&pid, "curl", nullptr, nullptr, const_cast<char **>(curlArgs), environ) != 0) {
            std::fprintf(stderr, "refresh: cannot start curl\n");
            return 1;
        }
        // The kernel's peak-RSS figure of a child counts the memory of the process that
        // started it, so curl's own high-water mark is sampled while it runs.
        int status = 0;
        rusage usage{};
        while (wait4(pid, &status, WNOHANG, &usage) == 0) {
            curlRss = std::max(curlRss, highWaterKb(pid));
            usleep(2000);
        }
        curlWall.push_back(double(clock.nsecsElapsed()) / 1e6);
        const auto ms = [](timeval t) { return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0; };
        curlCpu.push_back(ms(usage.ru_utime) + ms(usage.ru_stime));
    }

    server.kill();
    server.waitForFinished();

    const double gw = median(wall), gc = median(cpu), cw = median(curlWall), cc = median(curlCpu);
    std::printf("refresh: %d feeds (%d requests for curl), %d ms latency, median of %d runs\n", feeds, urls, latency,
                runs);
    if (unreadable > 0)
        std::printf("warning: %d feeds read as unknown in the warm-up refresh\n", unreadable);
    std::printf("%-8s %12s %12s %14s\n", "", "wall ms", "cpu ms", "peak RSS MiB");
    std::printf("%-8s %12.1f %12.1f %14.1f\n", "glinter", gw, gc, double(glinterRss) / 1024.0);
    std::printf("%-8s %12.1f %12.1f %14.1f\n", "curl", cw, cc, double(curlRss) / 1024.0);
    std::printf("ratio    %12.2f %12.2f   (glinter / curl)\n", cw > 0 ? gw / cw : 0.0, cc > 0 ? gc / cc : 0.0);
    // A Status.io page takes two answers in a row (the page, then the API); curl, which
    // fetches both at once, cannot show that.
    const bool chained = std::any_of(services.cbegin(), services.cend(),
                                     [](const Service &service) { return service.provider == ProviderKind::StatusIo; });
    const int slowest = latency * (chained ? 2 : 1);
    std::printf("target   wall <= slowest feed + 100 ms (%d ms%s): %s\n", slowest + 100,
                chained ? ", Status.io reads two answers in a row" : "", gw <= slowest + 100 ? "met" : "missed");
    return 0;
}
