#include "core/settings.h"
#include "providers/detection.h"
#include "providers/fetchwithretry.h"
#include "providers/providertable.h"
#include "providers/statusio/statusiopageids.h"
#include "providers/statuspage/maintenancecalendar.h"

#include "readertesting.h"

using namespace ReaderTesting;
using namespace std::chrono_literals;

// What runs the registry's providers for others: the monitor's check with its retry, and the
// custom form's format detection, through the fake server.
class TestProviderChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The monitor's check, one with one retry: the first answer, and the one the page gives once the first request
    // has been answered; the requests for the state document (a readable page is also asked for its story).
    void checkWithOneRetry_data()
    {
        QTest::addColumn<FakeRoute>("first");
        QTest::addColumn<FakeRoute>("second");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("requests");
        const FakeRoute fine = FakeRoute::json(R"({"status":{"indicator":"none","description":"Fine"}})");
        QTest::newRow("unreadable, then readable") << FakeRoute::json("{}", 503) << fine << u"none: Fine"_qs << 2;
        QTest::newRow("unreadable twice keeps the second text")
            << FakeRoute::json("{}", 500) << FakeRoute::json("{}", 404) << u"unknown: HTTP 404"_qs << 2;
        QTest::newRow("readable feed is read once")
            << FakeRoute::json(R"({"status":{"indicator":"major","description":"Bad"}})") << fine << u"major: Bad"_qs
            << 1;
        // Both reads end at once; the second must not start inside the pause timer's signal.
        QTest::newRow("refused address") << fine << fine << u"unknown: Invalid URL"_qs << 0;
    }

    void checkWithOneRetry()
    {
        QFETCH(FakeRoute, first);
        QFETCH(FakeRoute, second);
        QFETCH(int, requests);
        FeedServer server;
        server.setRoute("*", first);
        connect(
            &server, &FakeServer::requestReceived, this, [&] { server.setRoute("*", second); },
            Qt::ConnectionType(Qt::SingleShotConnection | Qt::QueuedConnection));
        const QUrl url = requests > 0 ? server.httpsUrl() : QUrl(u"status page"_qs);
        // A calendar read just now, which the context hands to the provider: the check is the
        // status document's.
        const ProviderContext context;
        context.memory<MaintenanceCalendar>(ProviderKind::Statuspage)
            ->record(server.httpsUrl(u"/api/v2/summary.json"_qs).toString(), std::nullopt);
        QTEST(graded(QCoro::waitFor(fetchWithRetry(service(ProviderKind::Statuspage, url), 100ms, context))),
              "expected");
        QCOMPARE(server.requestCount("/api/v2/status.json"), requests);
    }

    // The context hands the user's settings to the provider when its check starts: a region
    // chosen between two checks counts from the next one.
    void settingsReachTheReader()
    {
        FeedServer server;
        server.setRoute("/public/currentevents", {.headers = {{"Content-Type", "application/json;charset=utf-16"}},
                                                  .body = fixture(u"aws/currentevents-utf16be.json"_qs)});
        Settings settings;
        settings.setAwsRegions({});
        const ProviderContext context(&settings);
        const auto check = [&] {
            return graded(QCoro::waitFor(fetchWithRetry(service(ProviderKind::Aws), 1ms, context)));
        };
        QCOMPARE(check(), u"critical: Increased API Error Rates \u2014 N. Virginia (+2 more)"_qs);
        settings.setAwsRegions({u"us-west-2"_qs, u"eu-west-1"_qs});
        QCOMPARE(check(), u"major: Elevated S3 latency \u2014 Ireland (+1 more)"_qs);
    }

    // What the providers learn is the next run's too when kept across runs (in the user's
    // cache), and this run's only otherwise.
    void memoryAcrossRuns()
    {
        const QUrl page(u"https://status.example.com"_qs);
        const auto pageIds = [](ProviderContext::Keeping keeping) {
            return ProviderContext(nullptr, keeping).memory<StatusIOPageIds>(ProviderKind::StatusIo);
        };
        pageIds(ProviderContext::Keeping::AcrossRuns)->remember(page, u"aaa111"_qs);
        QCOMPARE(pageIds(ProviderContext::Keeping::AcrossRuns)->find(page), std::optional(u"aaa111"_qs));
        QCOMPARE(pageIds(ProviderContext::Keeping::WhileRunning)->find(page), std::nullopt);
        pageIds(ProviderContext::Keeping::WhileRunning)->remember(page, u"bbb222"_qs);
        QCOMPARE(pageIds(ProviderContext::Keeping::AcrossRuns)->find(page), std::optional(u"aaa111"_qs));
    }

    // Detection tries Statuspage.io, Instatus, Status.io, Better Stack, Cachet, Uptime Kuma and
    // Gatus in that order on the address and keeps the first that reads, an outage included; a
    // format after it is never asked. Uptime Kuma is asked only for a page address of its shape.
    void detection_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QList<QByteArray>>("served"); // path, then body, for each route
        QTest::addColumn<QString>("detected");
        QTest::addColumn<QStringList>("failures");
        QTest::addColumn<QByteArray>("neverAsked");
        const QString kumaRefusal = u"Uptime Kuma: Not an Uptime Kuma page address (…/status/<page>)"_qs;
        const QString page = u"/status"_qs;
        QTest::newRow("a page in trouble is read")
            << page << QList<QByteArray>{"/api/v2/summary.json", fixture(u"statuspage/summary.json"_qs)}
            << u"Statuspage.io"_qs << QStringList() << QByteArray("/summary.json");
        QTest::newRow("after a refusal") << page
                                         << QList<QByteArray>{"/summary.json", fixture(u"instatus/summary-up.json"_qs)}
                                         << u"Instatus"_qs << QStringList{u"Statuspage.io: HTTP 404"_qs}
                                         << QByteArray("/status");
        QTest::newRow("two refusals") << page
                                      << QList<QByteArray>{"/status", fixture(u"statusio/page.html"_qs),
                                                           "/1.0/status/5b36dc6502d06804c08349f7",
                                                           fixture(u"statusio/status-operational.json"_qs)}
                                      << u"Status.io"_qs
                                      << QStringList{u"Statuspage.io: HTTP 404"_qs, u"Instatus: HTTP 404"_qs}
                                      << QByteArray();
        const QStringList hosted{u"Statuspage.io: HTTP 404"_qs, u"Instatus: HTTP 404"_qs, u"Status.io: HTTP 404"_qs};
        QTest::newRow("better stack") << page
                                      << QList<QByteArray>{"/index.json",
                                                           fixture(u"betterstack/index-operational.json"_qs)}
                                      << u"Better Stack"_qs << hosted << QByteArray("/api/v1/components");
        QTest::newRow("cachet") << page
                                << QList<QByteArray>{"/api/v1/components", fixture(u"cachet/components.json"_qs)}
                                << u"Cachet"_qs << hosted + QStringList{u"Better Stack: HTTP 404"_qs} << QByteArray();
        // A page that answers every path with a Cachet list is not taken for anything else.
        QTest::newRow("cachet everywhere")
            << page << QList<QByteArray>{"*", fixture(u"cachet/components.json"_qs)} << u"Cachet"_qs
            << QStringList{u"Statuspage.io: The data couldn't be read: \"status\" is missing."_qs,
                           u"Instatus: The data couldn't be read: \"page\" is missing."_qs,
                           u"Status.io: Couldn't find a Status.io page id"_qs,
                           u"Better Stack: The data couldn't be read: \"data\" is not an object."_qs}
            << QByteArray();
        const QStringList beforeKuma = hosted + QStringList{u"Better Stack: HTTP 404"_qs, u"Cachet: HTTP 404"_qs};
        const QList<QByteArray> kuma{"/api/status-page/homelab", fixture(u"uptimekuma/page.json"_qs),
                                     "/api/status-page/heartbeat/homelab", fixture(u"uptimekuma/heartbeat.json"_qs)};
        QTest::newRow("uptime kuma") << u"/status/homelab"_qs << kuma << u"Uptime Kuma"_qs << beforeKuma
                                     << QByteArray("/api/v1/endpoints/statuses");
        QTest::newRow("gatus") << u"/"_qs
                               << QList<QByteArray>{"/api/v1/endpoints/statuses", fixture(u"gatus/statuses.json"_qs)}
                               << u"Gatus"_qs << beforeKuma + QStringList{kumaRefusal} << QByteArray();
        QTest::newRow("a kuma list where endpoints were asked for")
            << u"/status/homelab"_qs
            << QList<QByteArray>{"/api/status-page/homelab", fixture(u"uptimekuma/page.json"_qs),
                                 "/api/v1/endpoints/statuses", fixture(u"uptimekuma/heartbeat.json"_qs)}
            << QString()
            << beforeKuma
                   + QStringList{u"Uptime Kuma: HTTP 404"_qs,
                                 u"Gatus: The data couldn't be read: the document is not an array."_qs}
            << QByteArray();
        QTest::newRow("none reads") << page << QList<QByteArray>() << QString()
                                    << beforeKuma + QStringList{kumaRefusal, u"Gatus: HTTP 404"_qs} << QByteArray();
    }

    void detection()
    {
        QFETCH(QString, path);
        QFETCH(QList<QByteArray>, served);
        QFETCH(QByteArray, neverAsked);
        FeedServer server;
        for (qsizetype i = 0; i + 1 < served.size(); i += 2)
            server.setRoute(served.at(i), FakeRoute::json(served.at(i + 1)));
        const Detection detection = QCoro::waitFor(detectProvider(server.httpsUrl(path), u"Acme"_qs));
        QTEST(detection.kind ? displayName(*detection.kind) : QString(), "detected");
        QStringList failures;
        for (const auto &[kind, description] : detection.failures)
            failures.append(displayName(kind) + u": "_qs + description);
        QTEST(failures, "failures");
        if (!neverAsked.isEmpty())
            QCOMPARE(server.requestCount(neverAsked), 0);
    }
};

QTEST_GUILESS_MAIN(TestProviderChecks)
#include "tst_providerchecks.moc"
