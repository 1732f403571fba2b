// Full refreshes of the monitor against a local fake internet, next to curl fetching the
// same addresses in parallel, in one run. Reports per refresh the median wall time, CPU time,
// retired instructions (the CPU figure that a busy machine disturbs least), when the first
// and the last request reached the server, and the peak memory; then the ratios to curl.
// With --check, also whole `glinter --check --json` processes, as a user runs them, against
// curl.
//
//   refresh [--feeds N] [--latency MS] [--runs R] [--check GLINTER]
//           [--server qt|node|node-no-tickets] [--keep-alive]
// The feeds are served by glinter-bench-feedserver (Qt, the default) or bench/feedserver.mjs
// (Node), whose one TLS context per port lets clients resume TLS sessions; "node-no-tickets"
// turns that off, which shows what resuming saves.
//   refresh --serve [--feeds N] [--latency MS]   (for profiling by hand: serves the fake
//           internet, prints the services file and environment to run glinter against it)
#include "catalog/servicecatalog.h"
#include "monitor/statusmonitor.h"
#include "net/networkenvironment.h"
#include "providers/providertable.h"

#include "benchmonitor.h"
#include "measure.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

struct Figures {
    double wallMs = 0;
    double cpuMs = 0;
    double instructions = -1;
    double firstRequestMs = 0;
    double lastRequestMs = 0;
};

// The figures of one contender over all its runs.
struct Series {
    std::vector<Figures> runs;
    long peakRssKb = 0;

    double median(double Figures::*field) const
    {
        std::vector<double> values;
        for (const Figures &run : runs)
            values.push_back(run.*field);
        return Measure::median(values);
    }
};

QString caPath()
{
    return QStringLiteral(GLINTER_TEST_DATA "/tls/ca.pem");
}

// The address a provider of this kind asks for, for curl to fetch the same.
QString endpoint(const Service &service, const QUrl &origin)
{
    const QString base = service.url.toString(QUrl::RemovePath | QUrl::StripTrailingSlash);
    const QString fixed = origin.toString();
    switch (service.provider.value_or(ProviderKind::Statuspage)) {
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
        return fixedFeed(*service.provider).toString();
    }
}

// When the server saw the requests that arrived since the last call, in ms after `startNs`.
std::pair<double, double> requestSpan(QProcess &server, qint64 startNs)
{
    while (server.waitForReadyRead(30)) { }
    qint64 first = -1;
    qint64 last = -1;
    while (server.canReadLine()) {
        const QList<QByteArray> words = server.readLine().trimmed().split(' ');
        if (words.value(0) != "request")
            continue;
        const qint64 at = words.value(1).toLongLong();
        first = first < 0 ? at : std::min(first, at);
        last = std::max(last, at);
    }
    if (first < 0)
        return {0, 0};
    return {double(first - startNs) / 1e6, double(last - startNs) / 1e6};
}

Figures programFigures(const Measure::Run &run, QProcess &server)
{
    const auto [first, last] = requestSpan(server, run.startNs);
    return {run.wallMs, run.cpuMs, double(run.instructions), first, last};
}

void printRow(const char *name, const Series &series, const Series *reference)
{
    const double wall = series.median(&Figures::wallMs);
    const double cpu = series.median(&Figures::cpuMs);
    const double instructions = series.median(&Figures::instructions);
    std::printf("%-16s %9.1f %9.1f %11s %9.1f %9.1f %9.1f", name, wall, cpu,
                instructions < 0 ? "n/a" : qPrintable(QString::number(instructions / 1e6, 'f', 1)),
                series.median(&Figures::firstRequestMs), series.median(&Figures::lastRequestMs),
                double(series.peakRssKb) / 1024.0);
    if (reference) {
        const auto ratio = [&](double Figures::*field) {
            const double theirs = reference->median(field);
            const double ours = series.median(field);
            return theirs > 0 && ours >= 0 ? ours / theirs : 0.0;
        };
        std::printf("   %5.2f %5.2f", ratio(&Figures::wallMs), ratio(&Figures::cpuMs));
        if (instructions >= 0)
            std::printf(" %5.2f", ratio(&Figures::instructions));
    }
    std::printf("\n");
}

// Wall, CPU and instructions spread over the runs: lowest and highest, as "lo-hi".
void printSpread(const char *name, const Series &series)
{
    const auto span = [&](double Figures::*field, double scale) {
        double lo = 1e300;
        double hi = -1e300;
        for (const Figures &run : series.runs) {
            lo = std::min(lo, run.*field / scale);
            hi = std::max(hi, run.*field / scale);
        }
        return QStringLiteral("%1-%2").arg(lo, 0, 'f', 1).arg(hi, 0, 'f', 1);
    };
    std::printf("  %-14s wall %s ms, cpu %s ms", name, qPrintable(span(&Figures::wallMs, 1)),
                qPrintable(span(&Figures::cpuMs, 1)));
    if (series.median(&Figures::instructions) >= 0)
        std::printf(", instructions %s M", qPrintable(span(&Figures::instructions, 1e6)));
    std::printf("\n");
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
    const QCommandLineOption checkOption(QStringLiteral("check"),
                                         QStringLiteral("Also measure whole `GLINTER --check --json` processes."),
                                         QStringLiteral("GLINTER"));
    const QCommandLineOption serveOption(QStringLiteral("serve"),
                                         QStringLiteral("Only serve the feeds and print how to check them."));
    const QCommandLineOption serverOption(QStringLiteral("server"),
                                          QStringLiteral("The fake internet: qt, node or node-no-tickets."),
                                          QStringLiteral("S"), QStringLiteral("qt"));
    const QCommandLineOption keepAliveOption(QStringLiteral("keep-alive"),
                                             QStringLiteral("The Node server keeps connections open."));
    parser.addOptions(
        {feedsOption, latencyOption, runsOption, checkOption, serveOption, serverOption, keepAliveOption});
    parser.process(app);
    const int feeds = std::max(1, parser.value(feedsOption).toInt());
    const int latency = std::max(0, parser.value(latencyOption).toInt());
    const int runs = std::max(1, parser.value(runsOption).toInt());

    QTemporaryDir dir;
    QProcess server;
    server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // One server per feed plus one for the fixed vendor feeds, as each of those has a host
    // of its own in real life (a client opens at most six connections to one host).
    const QString feedServer = QCoreApplication::applicationDirPath() + QStringLiteral("/glinter-bench-feedserver");
    const QString serverKind = parser.value(serverOption);
    if (serverKind.startsWith(u"node")) {
        QProcess routes;
        routes.start(feedServer, {QStringLiteral("--routes")});
        QFile table(dir.filePath(QStringLiteral("routes.json")));
        if (!routes.waitForFinished(60000) || !table.open(QIODevice::WriteOnly))
            return 1;
        table.write(routes.readAllStandardOutput());
        table.close();
        QStringList arguments{QStringLiteral(GLINTER_BENCH_DIR "/feedserver.mjs"), QString::number(feeds + 1),
                              QString::number(latency), table.fileName(), QStringLiteral(GLINTER_TEST_DATA "/tls")};
        if (serverKind == u"node-no-tickets")
            arguments.append(QStringLiteral("no-tickets"));
        if (parser.isSet(keepAliveOption))
            arguments.append(QStringLiteral("keep-alive"));
        server.start(QStringLiteral("node"), arguments);
    } else {
        server.start(feedServer, {QString::number(feeds + 1), QString::number(latency)});
    }
    if (!server.waitForReadyRead(60000)) {
        std::fprintf(stderr, "refresh: the feed server did not start\n");
        return 1;
    }
    const QList<QByteArray> ports = server.readLine().trimmed().split(' ').mid(1);

    // Counts from here on: the server is not ours, the network threads started later are.
    Measure::InstructionCounter counter;

    // Trust the test authority as curl's --cacert does, on top of the system's roots.
    NetworkEnvironment::addCaCertificates(caPath());
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

    const ServiceStore store(dir.path());
    store.save(services);
    // curl fetching the same addresses, trusting the test authority alone: curl 7.88 reads a
    // --cacert bundle again for every connection, which with the system's roots in it would
    // cost it about 20 ms each.
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
    const QByteArrayList curlArguments{"curl",           "--parallel",
                                       "--parallel-max", "200",
                                       "--silent",       "--no-progress-meter",
                                       "--cacert",       caPath().toLocal8Bit(),
                                       "--config",       config.fileName().toLocal8Bit()};
    if (parser.isSet(serveOption)) {
        std::printf("GLINTER_FEED_ORIGIN=%s GLINTER_EXTRA_CA_CERTS=%s glinter --check --json --services %s\n",
                    qPrintable(origin.toString()), qPrintable(caPath()), qPrintable(store.filePath()));
        std::printf("%s\n", curlArguments.join(' ').constData());
        std::fflush(stdout);
        // The server's "request" lines, passed on.
        while (server.state() == QProcess::Running) {
            server.waitForReadyRead(-1);
            const QByteArray lines = server.readAll();
            std::fwrite(lines.constData(), 1, std::size_t(lines.size()), stdout);
            std::fflush(stdout);
        }
        return 0;
    }
    StatusMonitor::Setup setup = drivenMonitorSetup(store);
    StatusMonitor monitor(std::move(setup));

    const auto refreshOnce = [&] {
        const double cpuBefore = Measure::cpuMs();
        const qint64 instructionsBefore = counter.read();
        const qint64 start = Measure::steadyNs();
        QCoro::waitFor(monitor.refresh());
        const double wall = double(Measure::steadyNs() - start) / 1e6;
        const double cpu = Measure::cpuMs() - cpuBefore;
        const qint64 instructions = counter.read();
        const auto [first, last] = requestSpan(server, start);
        return Figures{wall, cpu, instructions < 0 ? -1.0 : double(instructions - instructionsBefore), first, last};
    };

    // Warm-up: loads TLS and the certificates once.
    refreshOnce();
    int unreadable = 0;
    for (const ServiceStatusResult &result : monitor.results())
        unreadable += result.indicator == Indicator::Unknown ? 1 : 0;
    Series measured;
    for (int i = 0; i < runs; ++i)
        measured.runs.push_back(refreshOnce());
    measured.peakRssKb = Measure::peakRssKb();
    counter.close();

    const QByteArrayList checkArguments{parser.value(checkOption).toLocal8Bit(), "--check", "--json", "--services",
                                        store.filePath().toLocal8Bit()};
    const bool check = parser.isSet(checkOption);
    if (check) {
        qputenv("GLINTER_FEED_ORIGIN", origin.toString().toUtf8());
        qputenv("GLINTER_EXTRA_CA_CERTS", caPath().toUtf8());
        // What the processes keep between runs (the Status.io page identifiers) stays with
        // this run, as it would between a user's runs.
        qputenv("XDG_CACHE_HOME", QDir(dir.path()).filePath(QStringLiteral("cache")).toUtf8());
    }
    Series curl;
    Series checks;
    for (int i = 0; i < runs; ++i) {
        const Measure::Run run = Measure::runProgram(curlArguments);
        curl.runs.push_back(programFigures(run, server));
        curl.peakRssKb = std::max(curl.peakRssKb, run.peakRssKb);
        if (check) {
            const Measure::Run checked = Measure::runProgram(checkArguments);
            checks.runs.push_back(programFigures(checked, server));
            checks.peakRssKb = std::max(checks.peakRssKb, checked.peakRssKb);
        }
    }

    server.kill();
    server.waitForFinished();

    std::printf("refresh: %d feeds (%d requests for curl), %d ms latency, median of %d runs, %s server%s\n", feeds,
                urls, latency, runs, qPrintable(serverKind), parser.isSet(keepAliveOption) ? " (keep-alive)" : "");
    if (unreadable > 0)
        std::printf("warning: %d feeds read as unknown in the warm-up refresh\n", unreadable);
    std::printf("%-16s %9s %9s %11s %9s %9s %9s   %-17s\n", "", "wall ms", "cpu ms", "instr M", "first ms", "last ms",
                "RSS MiB", "wall/cpu/instr ÷ curl");
    printRow("curl", curl, nullptr);
    printRow("glinter", measured, &curl);
    if (check) {
        std::printf("whole processes (glinter --check --json):\n");
        printRow("glinter", checks, &curl);
    }
    std::printf("spread (lowest-highest of the runs):\n");
    printSpread("curl", curl);
    printSpread("glinter", measured);
    // A Status.io page takes two answers in a row (the page, then the API); curl, which
    // fetches both at once, cannot show that.
    const bool chained = std::any_of(services.cbegin(), services.cend(),
                                     [](const Service &service) { return service.provider == ProviderKind::StatusIo; });
    const int slowest = latency * (chained ? 2 : 1);
    const double wall = measured.median(&Figures::wallMs);
    std::printf("target   glinter wall <= slowest feed + 100 ms (%d ms%s): %s\n", slowest + 100,
                chained ? ", Status.io reads two answers in a row" : "", wall <= slowest + 100 ? "met" : "missed");
    return 0;
}
