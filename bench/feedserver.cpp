// The fake internet of the refresh benchmark, run as a separate process so that its work
// is not counted as the client's: N HTTPS feed servers on loopback, one port each, that
// answer every feed format after a fixed latency and close the connection. Prints
// "ports P1 P2 ..." when ready, then "request NS" (the monotonic clock) as each request
// arrives, for the benchmark to tell when requests reached the wire. Every provider with fixed
// vendor feeds is served at their paths, with the first sample (in name order) of its folder
// under tests/data/feeds. With --routes, prints what it serves where (for
// bench/feedserver.mjs) and exits.
//
//   glinter-bench-feedserver N LATENCY_MS | --routes
#include "providers/providertable.h"

#include "fakeserver.h"
#include "measure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <cstdio>
#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

QByteArray fixture(const char *path)
{
    QFile file(QStringLiteral(GLINTER_TEST_DATA "/feeds/") + QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("feedserver: missing fixture %s", path);
    return file.readAll();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();

    // The hosted page formats, at their paths under any page's host, then the fixed vendor
    // feeds, then the Status.io page for every other path: path, sample, content type.
    QList<std::array<QString, 3>> routes{
        {u"/api/v2/status.json"_s, u"statuspage/status.json"_s, u"application/json"_s},
        {u"/api/v2/summary.json"_s, u"statuspage/summary.json"_s, u"application/json"_s},
        {u"/summary.json"_s, u"instatus/summary-up.json"_s, u"application/json"_s},
        {u"/1.0/status/5b36dc6502d06804c08349f7"_s, u"statusio/status-operational.json"_s, u"application/json"_s},
    };
    for (const ProviderInfo &provider : providerTable()) {
        const QString folder = QStringLiteral(GLINTER_TEST_DATA "/feeds/") + storedName(provider.kind);
        const QStringList samples = QDir(folder).entryList(QDir::Files, QDir::Name);
        for (const std::u16string_view feed : provider.fixedFeeds) {
            const QUrl address(QString::fromUtf16(feed.data(), qsizetype(feed.size())));
            if (feed.empty() || address.path().isEmpty() || samples.isEmpty())
                continue;
            const QString sample = samples.first();
            const QString type = sample.endsWith(u".json") ? u"application/json"_s
                                 : sample.endsWith(u".js") ? u"text/javascript"_s
                                                           : u"application/rss+xml"_s;
            routes.append({address.path(), storedName(provider.kind) + u'/' + sample, type});
        }
    }
    routes.append({u"*"_s, u"statusio/page.html"_s, u"text/html"_s});

    // For bench/feedserver.mjs, which serves the same.
    if (arguments.value(1) == u"--routes") {
        QJsonObject table;
        for (const auto &[path, sample, type] : routes) {
            table.insert(path, QJsonObject{{u"file"_s, QString(QStringLiteral(GLINTER_TEST_DATA "/feeds/") + sample)},
                                           {u"type"_s, type}});
        }
        std::printf("%s\n", QJsonDocument(table).toJson(QJsonDocument::Compact).constData());
        return 0;
    }

    const int count = arguments.value(1, QStringLiteral("119")).toInt();
    const std::chrono::milliseconds latency(arguments.value(2, QStringLiteral("300")).toInt());
    std::vector<std::unique_ptr<FakeServer>> servers;
    QByteArray ports = "ports";
    for (int i = 0; i < count; ++i) {
        auto server = std::make_unique<FakeServer>();
        for (const auto &[path, sample, type] : routes) {
            FakeRoute route;
            route.body = fixture(qPrintable(sample));
            route.headers = {{"Content-Type", type.toUtf8()}};
            route.delay = latency;
            server->setRoute(path.toUtf8(), route);
        }
        QObject::connect(server.get(), &FakeServer::requestReceived, server.get(), [] {
            std::printf("request %lld\n", static_cast<long long>(Measure::steadyNs()));
            std::fflush(stdout);
        });
        ports += ' ' + QByteArray::number(server->httpsUrl().port());
        servers.push_back(std::move(server));
    }
    std::printf("%s\n", ports.constData());
    std::fflush(stdout);
    return app.exec();
}
