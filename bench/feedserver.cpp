// The fake internet of the refresh benchmark, run as a separate process so that its work
// is not counted as the client's: N HTTPS feed servers on loopback, one port each, that
// answer every feed format after a fixed latency. Prints "ports P1 P2 ..." when ready.
#include "fakeserver.h"

#include <QCoreApplication>
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
    const QList<QPair<QByteArray, FakeRoute>> routes{
        {"/api/v2/status.json", route(fixture("statuspage/status.json"), "application/json")},
        {"/api/v2/summary.json", route(fixture("statuspage/summary.json"), "application/json")},
        {"/summary.json", route(fixture("instatus/summary-up.json"), "application/json")},
        {"/public/currentevents", route(fixture("aws/currentevents-utf16be.json"), "application/json;charset=utf-16")},
        {"/incidents.json", route(fixture("gcp/incidents.json"), "application/json")},
        {"/en-us/status/feed/", route(fixture("azure/feed-empty.xml"), "application/rss+xml")},
        {"/support/systemstatus/data/system_status_en_US.js", route(fixture("apple/system_status.js"), "text/javascript")},
        {"/support/systemstatus/data/developer/system_status_en_US.js", route(fixture("apple/system_status.js"), "text/javascript")},
        {"/feed.xml", route(fixture("xai/feed.xml"), "application/rss+xml")},
        {"/1.0/status/5b36dc6502d06804c08349f7", route(fixture("statusio/status-operational.json"), "application/json")},
        {"*", route(fixture("statusio/page.html"), "text/html")},
    };

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
