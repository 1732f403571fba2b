#include "providers/networkenvironment.h"
#include "providers/providerregistry.h"

#include "fakeserver.h"

#include <QElapsedTimer>
#include <QTest>

using namespace std::chrono_literals;

// One check with one retry, through the real readers.
class TestFetchWithRetry : public QObject
{
    Q_OBJECT

private:
    FakeServer m_server;
    QList<qint64> m_arrivals;
    QElapsedTimer m_clock;

    Service service(ProviderKind kind = ProviderKind::Statuspage) const
    {
        return Service{QUuid::createUuid(), QStringLiteral("S"), m_server.httpsUrl(QStringLiteral("/")), kind, std::nullopt};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(NetworkEnvironment::addCaCertificates(FakeServer::caCertificatePath()) > 0);
        connect(&m_server, &FakeServer::requestReceived, this, [this] { m_arrivals.append(m_clock.elapsed()); });
    }

    void init()
    {
        m_server.clearRoutes();
        m_server.clearRequests();
        m_arrivals.clear();
        m_clock.start();
    }

    void unreadableThenReadableIsReadTwiceAfterThePause()
    {
        m_server.setRoute("/api/v2/status.json", FakeRoute::json("{}", 503));
        // The page recovers once the first request has been answered (queued: after it).
        connect(&m_server, &FakeServer::requestReceived, this, [this] {
            m_server.setRoute("/api/v2/status.json",
                              FakeRoute::json(R"({"status":{"indicator":"none","description":"Fine"}})"));
        }, Qt::ConnectionType(Qt::SingleShotConnection | Qt::QueuedConnection));
        const ServiceStatusResult result = QCoro::waitFor(fetchWithRetry(service()));
        QCOMPARE(result.indicator, Indicator::None);
        QCOMPARE(result.description, QStringLiteral("Fine"));
        QCOMPARE(m_arrivals.size(), 2);
        const qint64 gap = m_arrivals.at(1) - m_arrivals.at(0);
        QVERIFY2(gap >= 1450, qPrintable(QString::number(gap)));
    }

    // A readable feed, and a site that answers that it is down, are both read once.
    void answersAreReadOnce_data()
    {
        QTest::addColumn<ProviderKind>("kind");
        QTest::addColumn<FakeRoute>("route");
        QTest::addColumn<Indicator>("indicator");
        QTest::newRow("readable feed") << ProviderKind::Statuspage
                                       << FakeRoute::json(R"({"status":{"indicator":"major","description":"Bad"}})")
                                       << Indicator::Major;
        QTest::newRow("site down") << ProviderKind::Website << FakeRoute::text("down", 503) << Indicator::Critical;
    }

    void answersAreReadOnce()
    {
        QFETCH(ProviderKind, kind);
        QFETCH(FakeRoute, route);
        m_server.setRoute("*", route);
        QTEST(QCoro::waitFor(fetchWithRetry(service(kind), 100ms)).indicator, "indicator");
        QCOMPARE(m_arrivals.size(), 1);
    }

    void unreadableTwiceStaysUnknownWithTheSecondText()
    {
        m_server.setRoute("/api/v2/status.json", FakeRoute::json("{}", 500));
        connect(&m_server, &FakeServer::requestReceived, this,
                [this] { m_server.setRoute("/api/v2/status.json", FakeRoute::json("{}", 404)); }, Qt::ConnectionType(Qt::SingleShotConnection | Qt::QueuedConnection));
        const ServiceStatusResult result = QCoro::waitFor(fetchWithRetry(service(), 100ms));
        QCOMPARE(result.indicator, Indicator::Unknown);
        QCOMPARE(result.description, QStringLiteral("HTTP 404"));
        QCOMPARE(m_arrivals.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestFetchWithRetry)
#include "tst_fetchwithretry.moc"
