#include "alerts/webhook.h"
#include "alerts/webhookprefs.h"
#include "fakeserver.h"
#include "providers/networkenvironment.h"

#include <QJsonDocument>
#include <QTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

class TestWebhook : public QObject
{
    Q_OBJECT

    const Service m_github{QUuid::createUuid(), QStringLiteral("GitHub"), QUrl(QStringLiteral("https://www.githubstatus.com")),
                           ProviderKind::Statuspage, std::nullopt};
    FakeServer m_server;

private Q_SLOTS:
    void initTestCase() { QVERIFY(NetworkEnvironment::addCaCertificates(FakeServer::caCertificatePath()) > 0); }

    // The message goes out as "text" and "content", beside every member of the event.
    void payload()
    {
        const QString text = u"\U0001F7E0 GitHub \u2014 Partial Outage: Busy"_s;
        QCOMPARE(Webhook::payload(WebhookEvent::Down, m_github, Indicator::Major, u"Busy"_s),
                 (QJsonObject{{u"text"_s, text}, {u"content"_s, text}, {u"event"_s, u"down"_s}, {u"service"_s, u"GitHub"_s},
                              {u"severity"_s, u"major"_s}, {u"description"_s, u"Busy"_s},
                              {u"url"_s, u"https://www.githubstatus.com"_s}}));
    }

    // Statuses Qt reports as errors, also after a redirect, and no answer are no delivery.
    void post_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("location");
        QTest::addColumn<bool>("delivered");
        QTest::newRow("301 ending in a 2xx") << 301 << QByteArray("/landed") << true;
        QTest::newRow("301 ending in a 404") << 301 << QByteArray("/nowhere") << false;
        QTest::newRow("404") << 404 << QByteArray() << false;
        QTest::newRow("silent") << 0 << QByteArray() << false;
    }

    void post()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, location);
        FakeRoute route = FakeRoute::text("x", status);
        route.location = location;
        route.stall = status == 0;
        m_server.clearRequests();
        m_server.setRoute("/hook", route);
        m_server.setRoute("/landed", FakeRoute::text({}, 204));
        QTEST(QCoro::waitFor(Webhook::postJSON(Webhook::testPayload(), m_server.httpsUrl(QStringLiteral("/hook")), {500ms, 500ms})),
              "delivered");
        const FakeRequest request = m_server.requests().first();
        QCOMPARE(request.method + ' ' + request.headers.value("content-type"), QByteArray("POST application/json"));
        QCOMPARE(QJsonDocument::fromJson(request.body).object(), Webhook::testPayload());
    }

    // Only an http(s) address with a host is used, blanks around it dropped; the address
    // is kept as typed.
    void sendOnlyToAUsableAddress()
    {
        m_server.clearRequests();
        m_server.setRoute("/hook", FakeRoute::text({}, 204));
        for (const QString &unusable : {u"  \n "_s, u"ftp://hooks.example.com/x"_s, u"HTTPS://hooks.example.com/x"_s, u"https:///x"_s}) {
            WebhookPrefs::setAddress(unusable);
            QCOMPARE(WebhookPrefs::rawAddress(), unusable);
            QVERIFY(!WebhookPrefs::isConfigured());
            Webhook::send(WebhookEvent::Down, m_github, Indicator::Major, QStringLiteral("never sent"));
        }
        WebhookPrefs::setAddress(u" \t"_s + m_server.httpUrl(QStringLiteral("/hook")).toString() + u"\r\n"_s);
        Webhook::send(WebhookEvent::Recovered, m_github, Indicator::None, QStringLiteral("Fine"));
        QTRY_COMPARE_WITH_TIMEOUT(Webhook::postsInFlight(), 0, 5000);
        QCOMPARE(m_server.requests().size(), 1);
        QCOMPARE(QJsonDocument::fromJson(m_server.requests().first().body).object(),
                 Webhook::payload(WebhookEvent::Recovered, m_github, Indicator::None, QStringLiteral("Fine")));
        QVERIFY(QCoro::waitFor(Webhook::sendTest(m_server.httpsUrl(QStringLiteral("/hook")))));
    }
};

QTEST_GUILESS_MAIN(TestWebhook)
#include "tst_webhook.moc"
