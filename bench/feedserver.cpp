// The fake internet of the refresh benchmark, run as a separate process so that its work
// is not counted as the client's: N HTTPS feed servers on loopback, one port each, that
// answer every feed format after a fixed latency. Prints "ports P1 P2 ..." when ready.
// Every reader with fixed vendor feeds is served at their paths, with the first sample (in
// name order) of its folder under tests/data/feeds.
#include "providers/readertable.h"

#include "fakeserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <memory>
#include <vector>

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
    const int count = arguments.value(1, QStringLiteral("119")).toInt();
    const std::chrono::milliseconds latency(arguments.value(2, QStringLiteral("300")).toInt());

    const auto route = [latency](QByteArray body, QByteArray type) {
        FakeRoute r;
        r.body = std::move(body);
        r.headers = {{"Content-Type", std::move(type)}};
        r.delay = latency;
        return r;
    };
    // The hosted page formats, at their paths under any page's host.
    QList<QPair<QByteArray, FakeRoute>> routes{
        {"/api/v2/status.json", route(fixture("statuspage/status.json"), "application/json")},
        {"/api/v2/summary.json", route(fixture("statuspage/summary.json"), "application/json")},
        {"/summary.json", route(fixture("instatus/summary-up.json"), "application/json")},
        {"/1.0/status/5b36dc6502d06804c08349f7",
         route(fixture("statusio/status-operational.json"), "application/json")},
    };
    for (const ReaderInfo &reader : readerTable()) {
        const QString folder = QStringLiteral(GLINTER_TEST_DATA "/feeds/") + rawValue(reader.kind);
        const QStringList samples = QDir(folder).entryList(QDir::Files, QDir::Name);
        for (const std::u16string_view feed : reader.fixedFeeds) {
            const QUrl address(QString::fromUtf16(feed.data(), qsizetype(feed.size())));
            if (feed.empty() || address.path().isEmpty() || samples.isEmpty())
                continue;
            const QString sample = samples.first();
            const QByteArray type = sample.endsWith(u".json") ? "application/json"
                                    : sample.endsWith(u".js") ? "text/javascript"
                                                              : "application/rss+xml";
            routes.append(
                {address.path().toUtf8(), route(fixture(qPrintable(rawValue(reader.kind) + u'/' + sample)), type)});
        }
    }
    routes.append({"*", route(fixture("statusio/page.html"), "text/html")});

    std::vector<std::unique_ptr<FakeServer>> servers;
    QByteArray ports = "ports";
    for (int i = 0; i < count; ++i) {
        auto server = std::make_unique<FakeServer>();
        for (const auto &[path, r] : routes)
            server->setRoute(path, r);
        ports += ' ' + QByteArray::number(server->httpsUrl().port());
        servers.push_back(std::move(server));
    }
    std::printf("%s\n", ports.constData());
    std::fflush(stdout);
    return app.exec();
}
