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

    void readableAtOnceIsReadOnce()
    {
        m_server.setRoute("/api/v2/status.json", FakeRoute::json(R"({"status":{"indicator":"major","description":"Bad"}})"));
        QCOMPARE(QCoro::waitFor(fetchWithRetry(service())).indicator, Indicator::Major);
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

    void aDownSiteIsNotRetried()
    {
        m_server.setRoute("*", FakeRoute::text("down", 503));
        const ServiceStatusResult result = QCoro::waitFor(fetchWithRetry(service(ProviderKind::Website), 100ms));
        QCOMPARE(result.indicator, Indicator::Critical);
        QCOMPARE(m_arrivals.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestFetchWithRetry)
#include "tst_fetchwithretry.moc"
