#include "alerts/webhook.h"
#include "alerts/webhookprefs.h"
#include "core/preferences.h"
#include "fakeserver.h"
#include "providers/networkenvironment.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <qcoro/qcorotask.h>

using namespace std::chrono_literals;

namespace {

Service github()
{
    return Service{QUuid::createUuid(), QStringLiteral("GitHub"), QUrl(QStringLiteral("https://www.githubstatus.com")),
                   ProviderKind::Statuspage, std::nullopt};
}

QJsonObject bodyOf(const FakeRequest &request)
{
    return QJsonDocument::fromJson(request.body).object();
}

} // namespace

Q_DECLARE_METATYPE(Indicator)
Q_DECLARE_METATYPE(WebhookEvent)

class TestWebhook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(NetworkEnvironment::addCaCertificates(FakeServer::caCertificatePath()) > 0);
    }

    void init()
    {
        Preferences::remove(QStringLiteral("webhookURL"));
        m_server.clearRoutes();
        m_server.clearRequests();
    }

    void address_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected"); // empty: not configured

        QTest::newRow("plain") << QStringLiteral("https://hooks.example.com/services/T1")
                               << QStringLiteral("https://hooks.example.com/services/T1");
        QTest::newRow("blanks and line breaks") << QStringLiteral(" \t http://127.0.0.1:8080/hook\r\n")
                                                << QStringLiteral("http://127.0.0.1:8080/hook");
        QTest::newRow("missing") << QString() << QString();
        QTest::newRow("blanks only") << QStringLiteral("  \n ") << QString();
        QTest::newRow("ftp") << QStringLiteral("ftp://hooks.example.com/x") << QString();
        QTest::newRow("upper-case scheme") << QStringLiteral("HTTPS://hooks.example.com/x") << QString();
        QTest::newRow("no host") << QStringLiteral("https:///x") << QString();
        QTest::newRow("no scheme") << QStringLiteral("hooks.example.com/x") << QString();
        QTest::newRow("starts with http but no scheme") << QStringLiteral("httpbin.org/post") << QString();
        QTest::newRow("blank inside") << QStringLiteral("https://hooks.example.com/a b") << QString();
        QTest::newRow("bad port") << QStringLiteral("https://hooks.example.com:99999/") << QString();
    }

    void address()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        WebhookPrefs::setAddress(typed);
        QCOMPARE(WebhookPrefs::rawAddress(), typed); // kept exactly as typed
        const std::optional<QUrl> url = WebhookPrefs::url();
        QCOMPARE(WebhookPrefs::isConfigured(), !expected.isEmpty());
        if (!expected.isEmpty()) {
            QVERIFY(url);
            QCOMPARE(url->toString(), expected);
        }
    }

    void payload_data()
    {
        QTest::addColumn<WebhookEvent>("event");
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("severity");

        const QString em = QStringLiteral(" \u2014 ");
        QTest::newRow("minor") << WebhookEvent::Down << Indicator::Minor
                               << QStringLiteral("\u26A0\uFE0F GitHub") + em + QStringLiteral("Degraded Performance: Elevated error rates")
                               << QStringLiteral("minor");
        QTest::newRow("major") << WebhookEvent::Down << Indicator::Major
                               << QStringLiteral("\U0001F7E0 GitHub") + em + QStringLiteral("Partial Outage: Elevated error rates")
                               << QStringLiteral("major");
        QTest::newRow("critical") << WebhookEvent::Down << Indicator::Critical
                                  << QStringLiteral("\U0001F534 GitHub") + em + QStringLiteral("Major Outage: Elevated error rates")
                                  << QStringLiteral("critical");
        QTest::newRow("unknown") << WebhookEvent::Down << Indicator::Unknown
                                 << QStringLiteral("\u2754 GitHub") + em + QStringLiteral("Unreachable: Elevated error rates")
                                 << QStringLiteral("unknown");
        QTest::newRow("recovered") << WebhookEvent::Recovered << Indicator::None
                                   << QStringLiteral("\u2705 GitHub recovered") + em + QStringLiteral("All Systems Operational")
                                   << QStringLiteral("operational");
    }

    void payload()
    {
        QFETCH(WebhookEvent, event);
        QFETCH(Indicator, indicator);
        QFETCH(QString, text);
        QFETCH(QString, severity);

        const Service service = github();
        const QJsonObject payload = Webhook::payload(event, service, indicator, QStringLiteral("Elevated error rates"));
        QCOMPARE(payload.size(), 7);
        for (auto it = payload.constBegin(); it != payload.constEnd(); ++it)
            QVERIFY2(it.value().isString(), qPrintable(it.key()));
        QCOMPARE(payload.value(QStringLiteral("text")).toString(), text);
        QCOMPARE(payload.value(QStringLiteral("content")).toString(), text);
        QCOMPARE(payload.value(QStringLiteral("event")).toString(),
                 event == WebhookEvent::Down ? QStringLiteral("down") : QStringLiteral("recovered"));
        QCOMPARE(payload.value(QStringLiteral("service")).toString(), QStringLiteral("GitHub"));
        QCOMPARE(payload.value(QStringLiteral("severity")).toString(), severity);
        QCOMPARE(payload.value(QStringLiteral("description")).toString(), QStringLiteral("Elevated error rates"));
        QCOMPARE(payload.value(QStringLiteral("url")).toString(), QStringLiteral("https://www.githubstatus.com"));
    }

    void testPayload()
    {
        const QJsonObject payload = Webhook::testPayload();
        const QString text = QStringLiteral("\U0001F514 Glinter webhook test \u2014 alerts are wired up correctly.");
        QCOMPARE(payload.size(), 7);
        QCOMPARE(payload.value(QStringLiteral("text")).toString(), text);
        QCOMPARE(payload.value(QStringLiteral("content")).toString(), text);
        QCOMPARE(payload.value(QStringLiteral("event")).toString(), QStringLiteral("test"));
        QCOMPARE(payload.value(QStringLiteral("service")).toString(), QStringLiteral("Glinter"));
        QCOMPARE(payload.value(QStringLiteral("severity")).toString(), QStringLiteral("operational"));
        QCOMPARE(payload.value(QStringLiteral("description")).toString(), QStringLiteral("Test alert from Glinter"));
        const QUrl url(payload.value(QStringLiteral("url")).toString());
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QVERIFY(!url.host().isEmpty());
    }

    void testPost_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("location");
        QTest::addColumn<bool>("closeMidBody");
        QTest::addColumn<bool>("delivered");

        QTest::newRow("204") << 204 << QByteArray() << false << true;
        QTest::newRow("200") << 200 << QByteArray() << false << true;
        QTest::newRow("301 to a 2xx") << 301 << QByteArray("/landed") << false << true;
        QTest::newRow("301 to a 404") << 301 << QByteArray("/nowhere") << false << false;
        QTest::newRow("301 without a target") << 301 << QByteArray() << false << false;
        QTest::newRow("404") << 404 << QByteArray() << false << false;
        QTest::newRow("500") << 500 << QByteArray() << false << false;
        QTest::newRow("closed mid-answer") << 200 << QByteArray() << true << false;
    }

    void testPost()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, location);
        QFETCH(bool, closeMidBody);
        QFETCH(bool, delivered);
        FakeRoute route = FakeRoute::text(QByteArray(4096, 'x'), status);
        route.location = location;
        route.closeMidBody = closeMidBody;
        m_server.setRoute("/hook", route);
        m_server.setRoute("/landed", FakeRoute::text({}, 204));

        QCOMPARE(QCoro::waitFor(Webhook::sendTest(m_server.httpsUrl(QStringLiteral("/hook")))), delivered);

        QCOMPARE(m_server.requestCount("/hook"), 1);
        const FakeRequest request = m_server.requests().first();
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.headers.value("content-type"), QByteArray("application/json"));
        QCOMPARE(bodyOf(request), Webhook::testPayload());
        QVERIFY(!request.body.contains('\n'));
    }

    void silentReceiverFails()
    {
        FakeRoute stall;
        stall.stall = true;
        m_server.setRoute("/hook", stall);
        QCOMPARE(QCoro::waitFor(Webhook::postJSON(Webhook::testPayload(), m_server.httpUrl(QStringLiteral("/hook")),
                                                  HttpLimits{300ms, 500ms})),
                 false);
    }

    void silentReceiverFailsWithinTheRealLimit()
    {
        FakeRoute stall;
        stall.stall = true;
        m_server.setRoute("/hook", stall);
        QCOMPARE(QCoro::waitFor(Webhook::sendTest(m_server.httpUrl(QStringLiteral("/hook")))), false);
    }

    void sendPostsOnlyWithAnAddress()
    {
        m_server.setRoute("/hook", FakeRoute::text({}, 204));
        const Service service = github();

        Webhook::send(WebhookEvent::Down, service, Indicator::Major, QStringLiteral("never sent"));
        WebhookPrefs::setAddress(QStringLiteral("  ") + m_server.httpsUrl(QStringLiteral("/hook")).toString()
                                 + QStringLiteral("\n"));
        Webhook::send(WebhookEvent::Recovered, service, Indicator::None, QStringLiteral("Everything is fine"));

        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount("/hook"), 1, 5000);
        const QJsonObject body = bodyOf(m_server.requests().first());
        QCOMPARE(body.value(QStringLiteral("event")).toString(), QStringLiteral("recovered"));
        QCOMPARE(body.value(QStringLiteral("severity")).toString(), QStringLiteral("operational"));
        QCOMPARE(body.value(QStringLiteral("description")).toString(), QStringLiteral("Everything is fine"));
        QVERIFY(body.value(QStringLiteral("text")).toString().startsWith(QStringLiteral("\u2705 GitHub recovered")));
        QTRY_COMPARE_WITH_TIMEOUT(Webhook::postsInFlight(), 0, 5000);
    }

    void postsInFlightAtOnce()
    {
        FakeRoute slow = FakeRoute::text({}, 204);
        slow.delay = 200ms;
        m_server.setRoute("/hook", slow);
        WebhookPrefs::setAddress(m_server.httpUrl(QStringLiteral("/hook")).toString());
        const Service service = github();
        for (int i = 0; i < 3; ++i)
            Webhook::send(WebhookEvent::Down, service, Indicator::Minor, QString::number(i));
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount("/hook"), 3, 5000);
        QCOMPARE(Webhook::postsInFlight(), 3);
        QTRY_COMPARE_WITH_TIMEOUT(Webhook::postsInFlight(), 0, 5000);
    }

private:
    FakeServer m_server;
};

QTEST_GUILESS_MAIN(TestWebhook)
#include "tst_webhook.moc"
