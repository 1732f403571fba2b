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

    // Blanks around the address are dropped; only an http(s) address with a host is usable.
    void address()
    {
        const QList<std::pair<QString, QString>> cases{
            {u" \thttps://hooks.example.com/T1\r\n"_s, u"https://hooks.example.com/T1"_s},
            {u"http://127.0.0.1:8080/h"_s, u"http://127.0.0.1:8080/h"_s}, {u"  \n "_s, {}}, {u"ftp://hooks.example.com/x"_s, {}},
            {u"HTTPS://hooks.example.com/x"_s, {}}, {u"https:///x"_s, {}}};
        for (const auto &[typed, usable] : cases) {
            WebhookPrefs::setAddress(typed);
            QCOMPARE(WebhookPrefs::rawAddress(), typed);
            QCOMPARE(WebhookPrefs::url().value_or(QUrl()).toString(), usable);
            QCOMPARE(WebhookPrefs::isConfigured(), !usable.isEmpty());
        }
    }

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
