#include "monitor/statusmonitor.h"

#include "alerts/notifier.h"
#include "alerts/statushistory.h"
#include "core/preferences.h"
#include "platform/null/nullnotifications.h"
#include "platform/null/nullreachability.h"

#include "scriptedcheck.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using namespace std::chrono_literals;

namespace {

Service makeService(const char *name, std::optional<QStringList> components = std::nullopt)
{
    return Service{QUuid::createUuid(), QString::fromUtf8(name),
                   QUrl(QStringLiteral("https://") + QString::fromUtf8(name).toLower() + QStringLiteral(".example")),
                   ProviderKind::Statuspage, std::move(components)};
}

ServiceStatusResult resultOf(Indicator indicator)
{
    return ServiceStatusResult{QUuid::createUuid(), indicator, {}, QDateTime::currentDateTimeUtc(), {}, false};
}

} // namespace

// A monitor on a temporary folder, with scripted checks and recording doubles.
struct Rig {
    QTemporaryDir dir;
    ScriptedCheck check;
    NullNotifications notifications;
    QList<WebhookEvent> webhooks;
    Notifier notifier{notifications, [this](WebhookEvent event, const Service &, Indicator, const QString &) {
                          webhooks.append(event);
                      }};
    std::unique_ptr<StatusHistory> history;
    NullReachability *reachability = nullptr;
    NullWakeObserver *wake = nullptr;
    std::unique_ptr<StatusMonitor> monitor;

    explicit Rig(const QList<Service> &services, bool autoRefresh = false, StatusMonitor::Check checkOverride = {})
    {
        const ServiceStore store(dir.path());
        store.save(services);
        history = std::make_unique<StatusHistory>(dir.filePath(QStringLiteral("history.json")));
        auto reach = std::make_unique<NullReachability>();
        auto woke = std::make_unique<NullWakeObserver>();
        reachability = reach.get();
        wake = woke.get();
        StatusMonitor::Setup setup(store);
        setup.history = history.get();
        setup.notifier = &notifier;
        setup.reachability = std::move(reach);
        setup.wake = std::move(woke);
        setup.watchFile = false;
        setup.autoRefresh = autoRefresh;
        setup.check = checkOverride ? std::move(checkOverride) : check.function();
        monitor = std::make_unique<StatusMonitor>(std::move(setup));
    }

    void refresh() { QCoro::waitFor(monitor->refresh()); }
};

class TestStatusMonitor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        Preferences::remove(QStringLiteral("refreshInterval"));
        Preferences::remove(QStringLiteral("notificationsEnabled"));
        Preferences::remove(QStringLiteral("mutedServiceIDs"));
        Preferences::remove(QStringLiteral("notificationMinSeverity"));
        Preferences::setValue(QStringLiteral("webhookURL"), QStringLiteral("https://hooks.example/alerts"));
    }

    void noServices()
    {
        Rig rig({});
        // An empty list on disk reads as the seed list; a monitor whose list was emptied
        // by the user has nothing to check.
        rig.monitor->remove(QSet<qsizetype>{0, 1, 2, 3, 4, 5, 6, 7});
        QVERIFY(rig.monitor->services().isEmpty());
        rig.refresh();
        QVERIFY(!rig.monitor->isRefreshing());
        QCOMPARE(rig.monitor->aggregate(), Indicator::Unknown);
        QCOMPARE(rig.monitor->summary(), QStringLiteral("Status Unavailable"));
        QVERIFY(!rig.monitor->lastUpdated());
        rig.reachability->setOnline(false);
        QCOMPARE(rig.monitor->summary(), QStringLiteral("No connection"));
    }

    void refreshStoresResultsAndSamples()
    {
        const Service a = makeService("A");
        const Service b = makeService("B");
        Rig rig({a, b});
        rig.check.script(b.id, {Indicator::Minor});
        QSignalSpy published(rig.monitor.get(), &StatusMonitor::resultsChanged);
        QSignalSpy refreshing(rig.monitor.get(), &StatusMonitor::isRefreshingChanged);
        rig.refresh();

        QCOMPARE(published.size(), 1);
        QCOMPARE(refreshing.size(), 2);
        QCOMPARE(rig.monitor->result(a.id)->indicator, Indicator::None);
        QCOMPARE(rig.monitor->result(b.id)->indicator, Indicator::Minor);
        QCOMPARE(rig.monitor->history(b), QList<Indicator>{Indicator::Minor});
        QVERIFY(rig.monitor->lastUpdated());
        // The first result after start-up never alerts.
        QVERIFY(rig.notifications.posted().isEmpty());
    }

    void transitionsAndAlerts()
    {
        const Service a = makeService("A");
        Rig rig({a});
        rig.check.script(a.id, {Indicator::None, Indicator::Major, Indicator::Major, Indicator::Minor,
                                Indicator::Unknown, Indicator::None});
        rig.refresh(); // none: first result, no alert
        QVERIFY(rig.notifications.posted().isEmpty());
        rig.refresh(); // none -> major
        QCOMPARE(rig.notifications.posted().size(), 1);
        QCOMPARE(rig.webhooks, QList<WebhookEvent>{WebhookEvent::Down});
        rig.refresh(); // major -> major: nothing
        QCOMPARE(rig.notifications.posted().size(), 1);
        rig.refresh(); // major -> minor: an improvement that is no recovery
        QCOMPARE(rig.notifications.posted().size(), 1);
        rig.refresh(); // unknown: shown, but no sample and no alert
        QCOMPARE(rig.monitor->result(a.id)->indicator, Indicator::Unknown);
        QCOMPARE(rig.monitor->lastKnownIndicator(a.id), std::optional<Indicator>(Indicator::Minor));
        QCOMPARE(rig.monitor->history(a).size(), 4);
        rig.refresh(); // minor -> (unknown) -> none: one recovery
        QCOMPARE(rig.notifications.posted().size(), 2);
        QCOMPARE(rig.webhooks, (QList<WebhookEvent>{WebhookEvent::Down, WebhookEvent::Recovered}));
    }

    void twoQuickRefreshesRunOnce()
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
    }

    void offlineGatesRefreshesAndReturnRefreshesOnce()
    {
        const Service a = makeService("A");
        Rig rig({a});
        rig.reachability->setOnline(false);
        QVERIFY(rig.monitor->isOffline());
        rig.refresh();
        rig.wake->wake();
        QCOMPARE(rig.check.callCount(a.id), 0);

        rig.reachability->setOnline(true);
        QTRY_COMPARE(rig.check.callCount(a.id), 1);
        QTRY_VERIFY(!rig.monitor->isRefreshing());
        rig.reachability->setOnline(true); // online -> online: nothing
        QTest::qWait(50);
        QCOMPARE(rig.check.callCount(a.id), 1);

        rig.wake->wake();
        QTRY_COMPARE(rig.check.callCount(a.id), 2);
    }

    void storedIntervalAndRescheduling()
    {
        // Unusable values give the default; hand-written extremes are held between half a
        // minute (seconds would hammer every vendor) and a day (months overflow timers).
        for (const auto &[stored, interval] : {std::pair(QVariant(-5), 300s), std::pair(QVariant(0), 300s),
                                               std::pair(QVariant(QStringLiteral("soon")), 300s),
                                               std::pair(QVariant(60), 60s), std::pair(QVariant(0.5), 30s),
                                               std::pair(QVariant(3e6), std::chrono::seconds(24h))}) {
            Preferences::setValue(QStringLiteral("refreshInterval"), stored);
            QCOMPARE(Rig({}).monitor->refreshInterval(), std::chrono::milliseconds(interval));
        }

        const Service a = makeService("A");
        Rig rig({a}, true);
        QTRY_COMPARE(rig.check.callCount(a.id), 1); // the start-up refresh
        QTRY_VERIFY(!rig.monitor->isRefreshing());
        rig.monitor->setRefreshInterval(600ms);
        QCOMPARE(Preferences::doubleValue(QStringLiteral("refreshInterval"), 0), 0.6);
        QTest::qWait(400);
        // Changing the interval again restarts the period from now.
        const QDateTime changed = QDateTime::currentDateTimeUtc();
        rig.monitor->setRefreshInterval(600ms);
        QTRY_COMPARE_WITH_TIMEOUT(rig.check.callCount(a.id), 2, 3000);
        const qint64 waited = changed.msecsTo(rig.check.calls().last().at);
        QVERIFY2(waited >= 500, qPrintable(QString::number(waited)));
    }

    void componentChangeDuringRefreshDiscardsThatResult()
    {
        const Service a = makeService("A", QStringList{QStringLiteral("c1")});
        const Service b = makeService("B");
        Rig rig({a, b});
        rig.check.script(a.id, {Indicator::Critical, Indicator::None});
        rig.check.setDelay(100ms);
        QCoro::Task<> refresh = rig.monitor->refresh();
        rig.monitor->setComponents(QStringList{QStringLiteral("c2")}, a);
        QCoro::waitFor(refresh);
        // The refresh's critical result for the old selection is dropped; the fresh check
        // of the new selection is stored without history.
        QTRY_COMPARE(rig.monitor->result(a.id).value_or(resultOf(Indicator::Unknown)).indicator, Indicator::None);
        QVERIFY(rig.monitor->history(a).isEmpty());
        QCOMPARE(rig.monitor->result(b.id)->indicator, Indicator::None);
    }

    // A result is applied only to the service as it was checked: removed, re-addressed or
    // moved to another reader in the meantime, it takes nothing from the old check.
    void changedOrRemovedServicesTakeNothingFromAnInFlightCheck()
    {
        const Service a = makeService("A");
        const Service b = makeService("B", QStringList{QStringLiteral("x")});
        const Service c = makeService("C");
        const Service d = makeService("D");
        Rig rig({a, b, c, d});
        rig.check.script(c.id, {Indicator::Major});
        rig.check.setDelay(100ms);
        QCoro::Task<> refresh = rig.monitor->refresh();
        rig.monitor->remove(a);
        rig.monitor->remove(b);
        rig.monitor->remove(QSet<qsizetype>{0}); // C, now first
        Service moved = c;
        moved.url = QUrl(QStringLiteral("https://elsewhere.example"));
        rig.monitor->add(moved);
        QCoro::waitFor(refresh);
        QVERIFY(!rig.monitor->result(a.id));
        QVERIFY(!rig.monitor->result(b.id));
        QVERIFY(!rig.monitor->lastKnownIndicator(a.id));
        // The re-addressed service only has its own fresh check, without history.
        QTRY_COMPARE(rig.check.callCount(c.id), 2);
        QTRY_VERIFY(rig.monitor->result(c.id));
        QVERIFY(rig.monitor->history(c).isEmpty());
        QVERIFY(!rig.monitor->lastKnownIndicator(c.id));
        QCOMPARE(rig.monitor->result(d.id)->indicator, Indicator::None);
        QCOMPARE(StatusHistory(rig.history->filePath()).indicators(d.id), QList<Indicator>{Indicator::None});
        QCOMPARE(StatusHistory(rig.history->filePath()).indicators(a.id), QList<Indicator>());
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

    // Nobody awaits the timer's refresh: a check that throws must not leave the loop marked
    // as refreshing for good.
    void aThrowingCheckDoesNotStopMonitoring()
    {
        const Service a = makeService("A");
        const Service b = makeService("B");
        int calls = 0;
        Rig rig({a, b}, false, [&calls, a](Service service) -> QCoro::Task<ServiceStatusResult> {
            ++calls;
            if (service.id == a.id)
                throw std::runtime_error("broken reader");
            co_return ServiceStatusResult{service.id, Indicator::Minor, {}, QDateTime::currentDateTimeUtc(), {}, false};
        });
        rig.monitor->requestRefresh();
        QTRY_VERIFY(!rig.monitor->isRefreshing());
        QCOMPARE(rig.monitor->result(b.id)->indicator, Indicator::Minor);
        QCOMPARE(rig.monitor->result(a.id)->indicator, Indicator::Unknown);
        rig.monitor->requestRefresh();
        QTRY_COMPARE(calls, 4);
        QTRY_VERIFY(!rig.monitor->isRefreshing());
    }

    // Thousands of services are checked a bounded number at a time, and every one of them.
    void aLongListIsCheckedABoundedNumberAtATime()
    {
        QList<Service> services;
        for (int i = 0; i < 300; ++i)
            services.append(makeService(qPrintable(QStringLiteral("S%1").arg(i))));
        int inFlight = 0;
        int mostInFlight = 0;
        Rig rig(services, false, [&](Service service) -> QCoro::Task<ServiceStatusResult> {
            mostInFlight = std::max(mostInFlight, ++inFlight);
            co_await QCoro::sleepFor(1ms);
            --inFlight;
            co_return ServiceStatusResult{service.id, Indicator::Minor, {}, QDateTime::currentDateTimeUtc(), {}, false};
        });
        rig.refresh();
        QCOMPARE(mostInFlight, int(StatusMonitor::checksInFlight));
        for (const Service &service : services)
            QVERIFY(rig.monitor->result(service.id).has_value());
    }

    void aggregateAndSummary_data()
    {
        QTest::addColumn<QList<Indicator>>("indicators");
        QTest::addColumn<Indicator>("aggregate");
        QTest::addColumn<QString>("summary");
        QTest::newRow("unknown is dropped") << QList<Indicator>{Indicator::None, Indicator::Unknown, Indicator::Minor}
                                            << Indicator::Minor << QStringLiteral("Some Systems Degraded");
        QTest::newRow("all unknown") << QList<Indicator>{Indicator::Unknown, Indicator::Unknown} << Indicator::Unknown
                                     << QStringLiteral("Status Unavailable");
        QTest::newRow("none") << QList<Indicator>{Indicator::None} << Indicator::None
                              << QStringLiteral("All Systems Operational");
        QTest::newRow("critical") << QList<Indicator>{Indicator::Critical, Indicator::Major} << Indicator::Critical
                                  << QStringLiteral("Major Service Outage");
    }

    void aggregateAndSummary()
    {
        QFETCH(QList<Indicator>, indicators);
        QFETCH(Indicator, aggregate);
        QFETCH(QString, summary);
        QList<Service> services;
        for (qsizetype i = 0; i < indicators.size(); ++i)
            services.append(makeService(QByteArray::number(i).prepend("S").constData()));
        Rig rig(services);
        for (qsizetype i = 0; i < indicators.size(); ++i)
            rig.check.script(services.at(i).id, {indicators.at(i)});
        rig.refresh();
        QCOMPARE(rig.monitor->aggregate(), aggregate);
        QCOMPARE(rig.monitor->summary(), summary);
    }
};

QTEST_GUILESS_MAIN(TestStatusMonitor)
#include "tst_statusmonitor.moc"
