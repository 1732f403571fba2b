#include "alerts/webhook.h"
#include "alerts/webhookprefs.h"
#include "fakeserver.h"
#include "providers/networkenvironment.h"

#include <QJsonDocument>
#include <QTest>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(Indicator)
Q_DECLARE_METATYPE(WebhookEvent)

class TestWebhook : public QObject
{
    Q_OBJECT

    const Service m_github{QUuid::createUuid(), QStringLiteral("GitHub"), QUrl(QStringLiteral("https://www.githubstatus.com")),
                           ProviderKind::Statuspage, std::nullopt};
    FakeServer m_server;

private Q_SLOTS:
    void initTestCase() { QVERIFY(NetworkEnvironment::addCaCertificates(FakeServer::caCertificatePath()) > 0); }

    void address_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("usable"); // empty: not configured
        QTest::newRow("trimmed") << QStringLiteral(" \thttps://hooks.example.com/T1\r\n") << QStringLiteral("https://hooks.example.com/T1");
        QTest::newRow("http") << QStringLiteral("http://127.0.0.1:8080/h") << QStringLiteral("http://127.0.0.1:8080/h");
        QTest::newRow("blanks only") << QStringLiteral("  \n ") << QString();
        QTest::newRow("ftp") << QStringLiteral("ftp://hooks.example.com/x") << QString();
        QTest::newRow("upper-case scheme") << QStringLiteral("HTTPS://hooks.example.com/x") << QString();
        QTest::newRow("no host") << QStringLiteral("https:///x") << QString();
        QTest::newRow("no scheme") << QStringLiteral("httpbin.org/post") << QString();
    }

    void address()
    {
        QFETCH(QString, typed);
        QFETCH(QString, usable);
        WebhookPrefs::setAddress(typed);
        QCOMPARE(WebhookPrefs::rawAddress(), typed);
        QCOMPARE(WebhookPrefs::url().value_or(QUrl()).toString(), usable);
        QCOMPARE(WebhookPrefs::isConfigured(), !usable.isEmpty());
    }

    void payload_data()
    {
        QTest::addColumn<WebhookEvent>("event");
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("severity");
        QTest::newRow("minor") << WebhookEvent::Down << Indicator::Minor
                               << QStringLiteral("\u26A0\uFE0F GitHub \u2014 Degraded Performance: Busy") << QStringLiteral("minor");
        QTest::newRow("major") << WebhookEvent::Down << Indicator::Major
                               << QStringLiteral("\U0001F7E0 GitHub \u2014 Partial Outage: Busy") << QStringLiteral("major");
        QTest::newRow("critical") << WebhookEvent::Down << Indicator::Critical
                                  << QStringLiteral("\U0001F534 GitHub \u2014 Major Outage: Busy") << QStringLiteral("critical");
        QTest::newRow("recovered") << WebhookEvent::Recovered << Indicator::None
                                   << QStringLiteral("\u2705 GitHub recovered \u2014 All Systems Operational") << QStringLiteral("operational");
    }

    void payload()
    {
        QFETCH(WebhookEvent, event);
        QFETCH(Indicator, indicator);
        QFETCH(QString, text);
        QFETCH(QString, severity);
        const QJsonObject expected{{QStringLiteral("text"), text}, {QStringLiteral("content"), text},
                                   {QStringLiteral("event"), Webhook::eventWord(event)}, {QStringLiteral("service"), QStringLiteral("GitHub")},
                                   {QStringLiteral("severity"), severity}, {QStringLiteral("description"), QStringLiteral("Busy")},
                                   {QStringLiteral("url"), QStringLiteral("https://www.githubstatus.com")}};
        QCOMPARE(Webhook::payload(event, m_github, indicator, QStringLiteral("Busy")), expected);
        QCOMPARE(Webhook::eventWord(WebhookEvent::Test), QStringLiteral("test"));
        QCOMPARE(Webhook::testPayload().value(QStringLiteral("text")).toString(),
                 QStringLiteral("\U0001F514 Glinter webhook test \u2014 alerts are wired up correctly."));
    }

    void post_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("location");
        QTest::addColumn<bool>("delivered");
        QTest::newRow("204") << 204 << QByteArray() << true;
        QTest::newRow("301 ending in a 2xx") << 301 << QByteArray("/landed") << true;
        QTest::newRow("301 ending in a 404") << 301 << QByteArray("/nowhere") << false;
        QTest::newRow("301 without a target") << 301 << QByteArray() << false;
        QTest::newRow("404") << 404 << QByteArray() << false;
        QTest::newRow("500") << 500 << QByteArray() << false;
        QTest::newRow("silent") << 0 << QByteArray() << false;
    }

    void post()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, location);
        QFETCH(bool, delivered);
        FakeRoute route = FakeRoute::text("x", status);
        route.location = location;
        route.stall = status == 0;
        m_server.clearRequests();
        m_server.setRoute("/hook", route);
        m_server.setRoute("/landed", FakeRoute::text({}, 204));

        QCOMPARE(QCoro::waitFor(Webhook::postJSON(Webhook::testPayload(), m_server.httpsUrl(QStringLiteral("/hook")), {500ms, 500ms})),
                 delivered);
        const FakeRequest request = m_server.requests().first();
        QCOMPARE(request.method + ' ' + request.headers.value("content-type"), QByteArray("POST application/json"));
        QCOMPARE(QJsonDocument::fromJson(request.body).object(), Webhook::testPayload());
    }

    void sendOnlyWithAnAddress()
    {
        m_server.clearRequests();
        m_server.setRoute("/hook", FakeRoute::text({}, 204));
        WebhookPrefs::setAddress(QString());
        Webhook::send(WebhookEvent::Down, m_github, Indicator::Major, QStringLiteral("never sent"));
        WebhookPrefs::setAddress(m_server.httpsUrl(QStringLiteral("/hook")).toString());
        Webhook::send(WebhookEvent::Recovered, m_github, Indicator::None, QStringLiteral("Fine"));
        QTRY_COMPARE_WITH_TIMEOUT(Webhook::postsInFlight(), 0, 5000);
        QCOMPARE(m_server.requests().size(), 1);
        QCOMPARE(QJsonDocument::fromJson(m_server.requests().first().body).object(),
                 Webhook::payload(WebhookEvent::Recovered, m_github, Indicator::None, QStringLiteral("Fine")));
        QVERIFY(QCoro::waitFor(Webhook::sendTest(m_server.httpUrl(QStringLiteral("/hook")))));
    }
};

QTEST_GUILESS_MAIN(TestWebhook)
#include "tst_webhook.moc"
