#include "alerts/notifier.h"
#include "core/settings.h"
#include "core/settingsfile.h"
#include "monitor/statusmonitor.h"
#include "net/networkenvironment.h"
#include "platform/null/nullnotifications.h"
#include "platform/null/nullreachability.h"

#include "fakeserver.h"
#include "monitorrig.h"

#include <QSignalSpy>
#include <QTest>

#include <stdexcept>

using namespace std::chrono_literals;

// The shared rig with history, its monitor replaced by one that also has recording doubles
// for alerts, reachability and wake-ups.
struct Rig : MonitorRig {
    NullNotifications notifications;
    QList<WebhookEvent> webhooks;
    Settings settings;
    Notifier notifier{notifications, settings,
                      [this](const QUrl &, WebhookEvent event, const Service &, Indicator, const QString &) {
                          webhooks.append(event);
                      }};
    NullReachability *reachability = new NullReachability;
    NullWakeObserver *wake = new NullWakeObserver;

    explicit Rig(const QList<Service> &services, StatusMonitor::Check checkOverride = {})
        : MonitorRig(services, {.history = true})
    {
        StatusMonitor::Setup setup(monitor->store());
        setup.history = history.get();
        setup.settings = &settings;
        setup.notifier = &notifier;
        setup.reachability.reset(reachability);
        setup.wake.reset(wake);
        setup.watchFile = false;
        setup.autoRefresh = false;
        setup.check = checkOverride ? std::move(checkOverride) : check.function();
        monitor = std::make_unique<StatusMonitor>(std::move(setup));
    }
};

class TestStatusMonitor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        for (const char *key :
             {"refreshInterval", "notificationsEnabled", "mutedServiceIDs", "notificationMinSeverity"})
            SettingsFile::remove(QString::fromLatin1(key));
        SettingsFile::setValue(QStringLiteral("webhookURL"), QStringLiteral("https://hooks.example/alerts"));
    }

    // The first result after start-up never alerts; an unknown result is shown but neither
    // recorded nor counted in the summary, and a recovery is measured from the last known state.
    void refreshesRecordAndAlert()
    {
        const Service a = makeService("A");
        const Service b = makeService("B");
        Rig rig({a, b});
        rig.check.script(a.id, {Indicator::None, Indicator::Major, Indicator::Unknown, Indicator::None});
        rig.check.script(b.id, {Indicator::Unknown});
        QSignalSpy published(rig.monitor.get(), &StatusMonitor::resultsChanged);
        QSignalSpy refreshing(rig.monitor.get(), &StatusMonitor::isRefreshingChanged);
        rig.refresh();
        QCOMPARE(published.size(), 1);
        QCOMPARE(refreshing.size(), 2);
        QCOMPARE(rig.monitor->aggregate(), Indicator::None);

        rig.refresh(); // none -> major
        QCOMPARE(rig.webhooks, QList<WebhookEvent>{WebhookEvent::Down});
        const QDateTime majorChecked = rig.monitor->result(a.id)->lastChecked;
        rig.refresh(); // unknown
        QCOMPARE(rig.monitor->result(a.id)->indicator, Indicator::Unknown);
        QCOMPARE(rig.monitor->lastKnownIndicator(a.id), std::optional<Indicator>(Indicator::Major));
        QCOMPARE(rig.monitor->history(a), (QList<Indicator>{Indicator::None, Indicator::Major}));
        QVERIFY(rig.monitor->history(b).isEmpty());
        // with the times of the readable checks, and only those of the week before `now`
        const QList<StatusHistory::Sample> timed = rig.history->samples(a.id, majorChecked);
        QCOMPARE(timed.size(), 2);
        QCOMPARE(timed.last(), (StatusHistory::Sample{majorChecked, storedNumber(Indicator::Major)}));
        QVERIFY(rig.history->samples(a.id, majorChecked.addDays(8)).isEmpty());
        QCOMPARE(rig.monitor->aggregate(), Indicator::Unknown);
        rig.refresh(); // major -> (unknown) -> none: one recovery
        QCOMPARE(rig.notifications.posted().size(), 2);
        QCOMPARE(rig.webhooks, (QList<WebhookEvent>{WebhookEvent::Down, WebhookEvent::Recovered}));
    }

    // The platform's permission to notify is asked at start when notifications are on, and
    // again whenever the user switches them on.
    void notificationPermissionFollowsTheSwitch()
    {
        QCOMPARE(Rig(QList<Service>{}).notifications.authorizationRequests(), 1);
        SettingsFile::setValue(QStringLiteral("notificationsEnabled"), false);
        Rig rig(QList<Service>{});
        QCOMPARE(rig.notifications.authorizationRequests(), 0);
        rig.settings.setNotificationsEnabled(true);
        rig.settings.setNotificationsEnabled(false);
        QCOMPARE(rig.notifications.authorizationRequests(), 1);
    }

    // A refresh asked for while one runs or while offline is dropped; coming back online
    // or waking refreshes once.
    void refreshesAreDroppedWhileRunningOrOffline()
    {
        const Service a = makeService("A");
        Rig rig({a});
        rig.check.setDelay(100ms);
        QCoro::Task<> first = rig.monitor->refresh();
        QVERIFY(rig.monitor->isRefreshing());
        QCoro::Task<> second = rig.monitor->refresh();
        QCoro::waitFor(second);
        QVERIFY(rig.monitor->isRefreshing());
        QCoro::waitFor(first);
        QVERIFY(!rig.monitor->isRefreshing());
        QCOMPARE(rig.check.callCount(a.id), 1);

        rig.reachability->setOnline(false);
        QVERIFY(rig.monitor->isOffline());
        rig.refresh();
        rig.wake->wake();
        QCOMPARE(rig.check.callCount(a.id), 1);
        rig.reachability->setOnline(true);
        QTRY_COMPARE(rig.check.callCount(a.id), 2);
        QTRY_VERIFY(!rig.monitor->isRefreshing());
        rig.wake->wake();
        QTRY_COMPARE(rig.check.callCount(a.id), 3);
    }

    // A result is applied only to the service as it was checked: removed, re-addressed or
    // given another selection in the meantime, it takes nothing from the old check, and the
    // changed service's own fresh check is stored without history.
    void changedOrRemovedServicesTakeNothingFromAnInFlightCheck()
    {
        const Service a = makeService("A");
        Service b = makeService("B");
        b.components = QStringList{QStringLiteral("x")};
        const Service c = makeService("C");
        const Service d = makeService("D");
        Rig rig({a, b, c, d});
        rig.check.script(b.id, {Indicator::Critical, Indicator::None});
        rig.check.script(c.id, {Indicator::Major});
        rig.check.setDelay(100ms);
        QCoro::Task<> refresh = rig.monitor->refresh();
        rig.monitor->remove(a);
        rig.monitor->setComponents(QStringList{QStringLiteral("y")}, b);
        rig.monitor->remove(QSet<QUuid>{c.id});
        Service moved = c;
        moved.url = QUrl(QStringLiteral("https://elsewhere.example"));
        rig.monitor->add(moved);
        QCoro::waitFor(refresh);
        QVERIFY(!rig.monitor->result(a.id));
        for (const Service &changed : {b, c}) {
            QTRY_COMPARE(rig.check.callCount(changed.id), 2);
            QTRY_VERIFY(rig.monitor->result(changed.id));
            QVERIFY(rig.monitor->history(changed).isEmpty());
        }
        QCOMPARE(rig.monitor->result(b.id)->indicator, Indicator::None);
        QCOMPARE(rig.monitor->result(d.id)->indicator, Indicator::None);
        QCOMPARE(StatusHistory(rig.history->filePath()).indicators(d.id), QList<Indicator>{Indicator::None});
    }

    // history.json is written right after the first refresh, then at most once per interval:
    // the refreshes in between leave the file as it was while the panel reads their samples
    // from memory, and what they found is written by a flush (a clean exit) or when the
    // interval is over, whichever comes first; samples that only repeat each state wait four
    // intervals.
    void historyIsWrittenOncePerInterval_data()
    {
        QTest::addColumn<QList<Indicator>>("script");
        QTest::addColumn<bool>("flushed");
        const QList<Indicator> changing{Indicator::None, Indicator::Major, Indicator::Unknown, Indicator::Minor};
        const QList<Indicator> calm{Indicator::None, Indicator::None, Indicator::Unknown, Indicator::None};
        QTest::newRow("flushed") << changing << true;
        QTest::newRow("interval over") << changing << false;
        QTest::newRow("calm, four intervals") << calm << false;
    }

    void historyIsWrittenOncePerInterval()
    {
        QFETCH(QList<Indicator>, script);
        QFETCH(bool, flushed);
        const Service a = makeService("A");
        Rig rig({a});
        rig.monitor->setHistoryWriteInterval(1h);
        rig.check.script(a.id, script);
        const auto written = [&rig, &a] { return StatusHistory(rig.history->filePath()).indicators(a.id); };
        rig.refresh();
        QCOMPARE(written(), QList<Indicator>{script.first()});
        for (int i = 0; i < 3; ++i)
            rig.refresh();
        QList<Indicator> all = script;
        all.removeAll(Indicator::Unknown);
        QCOMPARE(rig.monitor->history(a), all);
        QCOMPARE(written(), QList<Indicator>{script.first()});

        if (flushed) {
            rig.monitor->flush();
            QCOMPARE(written(), all);
            return;
        }
        // The first write is more than an interval ago, and far less than four.
        QTest::qWait(300);
        rig.monitor->setHistoryWriteInterval(290ms);
        const bool changed = script.contains(Indicator::Major);
        QCOMPARE(written(), changed ? all : QList<Indicator>{script.first()});
        QTRY_COMPARE(written(), all);
    }

    // Two records written with one identity are two services, each with state of its own.
    void recordsSharingAnIdentityAreTwoServices()
    {
        const Service a = makeService("A");
        Service b = makeService("B");
        b.id = a.id;
        Rig rig({a, b});
        const QList<Service> services = rig.monitor->services();
        QCOMPARE(services.size(), 2);
        QCOMPARE(services.at(0).id, a.id);
        QVERIFY(services.at(1).id != a.id);
        rig.check.script(services.at(1).id, {Indicator::Major});
        rig.refresh();
        QCOMPARE(rig.monitor->result(a.id)->indicator, Indicator::None);
        QCOMPARE(rig.monitor->result(services.at(1).id)->indicator, Indicator::Major);
        QCOMPARE(ServiceStore(rig.dir.path()).read().services.at(1).id, services.at(1).id);
    }

    // Thousands of services are checked a bounded number at a time, and every one of them.
    // A check that throws gives an unknown result and, as nobody awaits the timer's refresh,
    // must not leave the loop marked as refreshing for good.
    void checksAreBoundedAndAThrowingOneDoesNotStopMonitoring()
    {
        QList<Service> services;
        for (int i = 0; i < 300; ++i)
            services.append(makeService(QStringLiteral("S%1").arg(i)));
        QSet<QUuid> broken{services.first().id};
        int calls = 0;
        int inFlight = 0;
        int mostInFlight = 0;
        std::chrono::milliseconds delay = 1ms;
        Rig rig(services, [&](Service service) -> QCoro::Task<ServiceStatusResult> {
            ++calls;
            if (broken.contains(service.id))
                throw std::runtime_error("broken provider");
            mostInFlight = std::max(mostInFlight, ++inFlight);
            co_await QCoro::sleepFor(delay);
            --inFlight;
            co_return ServiceStatusResult{service.id, Indicator::Minor, {}, QDateTime::currentDateTimeUtc(), {}, false};
        });
        rig.monitor->requestRefresh();
        QTRY_VERIFY(!rig.monitor->isRefreshing());
        QCOMPARE(mostInFlight, int(RefreshScheduler::checksInFlight));
        QCOMPARE(rig.monitor->result(services.first().id)->indicator, Indicator::Unknown);
        for (const Service &service : services.mid(1))
            QCOMPARE(rig.monitor->result(service.id)->indicator, Indicator::Minor);
        rig.monitor->requestRefresh();
        QTRY_COMPARE(calls, 600);
        QTRY_VERIFY(!rig.monitor->isRefreshing());

        // The single check of an added service fails the same way.
        const Service added = makeService("Added");
        broken.insert(added.id);
        rig.monitor->add(added);
        QTRY_VERIFY(rig.monitor->result(added.id).has_value());
        QCOMPARE(rig.monitor->result(added.id)->indicator, Indicator::Unknown);

        // A monitor that goes away mid-refresh (the watch command handing over to a running
        // Glinter) starts no further check: a check may read what the monitor owned.
        calls = 0;
        delay = 100ms;
        broken.clear();
        rig.monitor->requestRefresh();
        QTRY_COMPARE(calls, int(RefreshScheduler::checksInFlight));
        rig.monitor.reset();
        QTest::qWait(300);
        QCOMPARE(calls, int(RefreshScheduler::checksInFlight));
    }

    // The default check lends every provider the monitor's one maintenance calendar: a page's
    // calendar read in one refresh serves the next.
    void readersKeepTheCalendarAcrossRefreshes()
    {
        FakeServer server;
        QVERIFY(NetworkEnvironment::addCaCertificates(FakeServer::caCertificatePath()) > 0);
        server.setRoute("/api/v2/status.json",
                        FakeRoute::json(R"({"status":{"indicator":"none","description":"Fine"}})"));
        server.setRoute(
            "/api/v2/summary.json",
            FakeRoute::json(R"({"status":{"indicator":"none","description":"Fine"},"scheduled_maintenances":[
            {"name":"Upgrade","status":"in_progress","scheduled_for":"2026-11-30T11:00:00Z"}]})"));
        const Service page = makeService("Page", server.httpsUrl().toString());
        MonitorRig rig({page});
        StatusMonitor::Setup setup(rig.monitor->store());
        setup.watchFile = false;
        setup.autoRefresh = false;
        StatusMonitor monitor(std::move(setup));
        for (int i = 0; i < 2; ++i) {
            QCoro::waitFor(monitor.refresh());
            QCOMPARE(monitor.result(page.id).value_or(ServiceStatusResult()).maintenances.size(), 1);
        }
        QCOMPARE(server.requestCount("/api/v2/status.json"), 1);
        QCOMPARE(server.requestCount("/api/v2/summary.json"), 1);
    }

    // Checks that wait for one answer after another (Status.io: the page, then its API) start
    // before all others, the rest in the list's order, even when they come after the first wave.
    void chainedChecksStartFirst()
    {
        QList<Service> services;
        for (int i = 0; i < 200; ++i) {
            const ProviderKind kind = i % 90 == 89 ? ProviderKind::StatusIo : ProviderKind::Statuspage;
            services.append(makeService(QStringLiteral("S%1").arg(i), {}, kind));
        }
        Rig rig(services);
        rig.monitor->requestRefresh();
        QTRY_VERIFY(!rig.monitor->isRefreshing());
        QCOMPARE(names(rig.check.calls()).mid(0, 4), words("S89 S179 S0 S1"));
        QCOMPARE(rig.check.calls().size(), 200);
    }
};

QTEST_GUILESS_MAIN(TestStatusMonitor)
#include "tst_statusmonitor.moc"
