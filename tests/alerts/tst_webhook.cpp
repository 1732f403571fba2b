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

    // Every member of a down, a recovered and a test alert; the message goes out as "text" and "content".
    void payload()
    {
        const auto expected = [](const QString &text, const QStringList &m) {
            return QJsonObject{{u"text"_s, text}, {u"content"_s, text}, {u"event"_s, m[0]}, {u"service"_s, m[1]},
                               {u"severity"_s, m[2]}, {u"description"_s, m[3]}, {u"url"_s, m[4]}};
        };
        QCOMPARE(Webhook::payload(WebhookEvent::Down, m_github, Indicator::Major, u"Busy"_s),
                 expected(u"\U0001F7E0 GitHub \u2014 Partial Outage: Busy"_s,
                          {u"down"_s, u"GitHub"_s, u"major"_s, u"Busy"_s, u"https://www.githubstatus.com"_s}));
        QCOMPARE(Webhook::payload(WebhookEvent::Recovered, m_github, Indicator::None, u"Fine"_s),
                 expected(u"\u2705 GitHub recovered \u2014 All Systems Operational"_s,
                          {u"recovered"_s, u"GitHub"_s, u"operational"_s, u"Fine"_s, u"https://www.githubstatus.com"_s}));
        QCOMPARE(Webhook::testPayload(),
                 expected(u"\U0001F514 Glinter webhook test \u2014 alerts are wired up correctly."_s,
                          {u"test"_s, u"Glinter"_s, u"operational"_s, u"Test alert from Glinter"_s, u"https://www.example.com"_s}));
    }

    void post_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("location");
        QTest::addColumn<bool>("delivered");
        QTest::newRow("204") << 204 << QByteArray() << true;
        QTest::newRow("301 ending in a 2xx") << 301 << QByteArray("/landed") << true;
        QTest::newRow("301 ending in a 404") << 301 << QByteArray("/nowhere") << false;
        QTest::newRow("404") << 404 << QByteArray() << false;
        QTest::newRow("500") << 500 << QByteArray() << false;
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
