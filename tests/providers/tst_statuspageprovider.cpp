#include "providers/networkenvironment.h"
#include "providers/statuspageprovider.h"

#include "fakeserver.h"

#include <QTest>

using namespace std::chrono_literals;

namespace {

Service serviceAt(const QUrl &url, std::optional<QStringList> components = std::nullopt)
{
    return Service{QUuid::createUuid(), QStringLiteral("Example"), url, ProviderKind::Statuspage, std::move(components)};
}

QByteArray component(const char *id, const char *name, const char *status)
{
    return QByteArray(R"({"id":")") + id + R"(","name":")" + name + R"(","status":")" + status + R"("})";
}

QByteArray summary(const QList<QByteArray> &components, const QByteArray &incidents = "[]")
{
    return R"({"status":{"indicator":"minor","description":"Page text"},"components":[)" + components.join(',')
           + R"(],"incidents":)" + incidents + "}";
}

} // namespace

class TestStatuspageProvider : public QObject
{
    Q_OBJECT

private:
    FakeServer m_server;

    ServiceStatusResult fetch(const Service &service)
    {
        StatuspageProvider provider{HttpSession()};
        return QCoro::waitFor(provider.fetch(service));
    }

    ServiceStatusResult evaluate(const QByteArray &json, std::optional<QStringList> components = std::nullopt)
    {
        const StatuspageProvider::DecodedDocument decoded = StatuspageProvider::decode(json);
        if (!decoded.document) {
            qWarning() << decoded.error;
            return {};
        }
        return StatuspageProvider::evaluate(serviceAt(QUrl(QStringLiteral("https://x.example")), components),
                                            *decoded.document);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(NetworkEnvironment::addCaCertificates(FakeServer::caCertificatePath()) > 0);
    }

    void init()
    {
        m_server.clearRoutes();
        m_server.clearRequests();
    }

    void readsThePageOverHttpsWithoutPathQueryOrFragment()
    {
        m_server.setRoute("/api/v2/status.json",
                          FakeRoute::json(R"({"status":{"indicator":"major","description":"Partial System Outage"}})"));
        const QUrl address(QStringLiteral("http://127.0.0.1:%1/history?page=2#recent").arg(m_server.httpsPort()));
        const Service service = serviceAt(address);
        const ServiceStatusResult result = fetch(service);

        QCOMPARE(result.serviceID, service.id);
        QCOMPARE(result.indicator, Indicator::Major);
        QCOMPARE(result.description, QStringLiteral("Partial System Outage"));
        QVERIFY(!result.incidentTitle);
        QVERIFY(!result.isMaintenance);
        QVERIFY(qAbs(result.lastChecked.secsTo(QDateTime::currentDateTimeUtc())) < 5);
        QCOMPARE(m_server.requests().size(), 1);
        QCOMPARE(m_server.requests().first().target, QByteArray("/api/v2/status.json"));
        QVERIFY(m_server.requests().first().tls);
    }

    void componentModeReadsTheSummary()
    {
        m_server.setRoute("/api/v2/summary.json",
                          FakeRoute::json(summary({component("a", "API", "partial_outage"), component("b", "Web", "operational")},
                                                  R"([{"name":"API errors","status":"investigating","components":[{"id":"a"}]}])")));
        const ServiceStatusResult result =
            fetch(serviceAt(m_server.httpsUrl(QStringLiteral("/")), QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QCOMPARE(result.indicator, Indicator::Major);
        QCOMPARE(result.description, QStringLiteral("API: Partial Outage"));
        QCOMPARE(result.incidentTitle, std::optional<QString>(QStringLiteral("API errors")));
        QCOMPARE(m_server.requestCount("/api/v2/summary.json"), 1);
    }

    void failures_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("description");
        QTest::newRow("404") << 404 << QByteArray("{}") << QStringLiteral("HTTP 404");
        QTest::newRow("empty body") << 200 << QByteArray() << QString();
        QTest::newRow("html shell") << 200 << QByteArray("<!doctype html><html></html>") << QString();
        QTest::newRow("incidents not an array") << 200
                                                << QByteArray(R"({"status":{"indicator":"none","description":"x"},"incidents":{}})")
                                                << QString();
    }

    void failures()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        QFETCH(QString, description);
        m_server.setRoute("/api/v2/status.json", FakeRoute::json(body, status));
        const ServiceStatusResult result = fetch(serviceAt(m_server.httpsUrl(QStringLiteral("/"))));
        QCOMPARE(result.indicator, Indicator::Unknown);
        QVERIFY(!result.incidentTitle);
        QVERIFY(!result.isMaintenance);
        if (description.isEmpty())
            QVERIFY2(!result.description.isEmpty(), "the decoder's own text is shown");
        else
            QCOMPARE(result.description, description);
    }

    void addressesThatCannotBeRead()
    {
        for (const QString &address : {QStringLiteral("status page"), QStringLiteral("file:///etc/hosts"), QStringLiteral("ftp://127.0.0.1/")}) {
            const ServiceStatusResult result = fetch(serviceAt(QUrl(address)));
            QCOMPARE(result.indicator, Indicator::Unknown);
            QCOMPARE(result.description, QStringLiteral("Invalid URL"));
        }
        QVERIFY(m_server.requests().isEmpty());
    }

    void pageWideMode_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("maintenance");
        QTest::addColumn<QString>("title");

        QTest::newRow("maintenance in capitals")
            << QByteArray(R"({"status":{"indicator":"MAINTENANCE","description":"Scheduled"}})") << Indicator::Minor
            << QStringLiteral("Scheduled") << true << QString();
        QTest::newRow("unknown word keeps the page text")
            << QByteArray(R"({"status":{"indicator":"partial","description":"Odd"}})") << Indicator::Unknown
            << QStringLiteral("Odd") << false << QString();
        QTest::newRow("empty description gives the label")
            << QByteArray(R"({"status":{"indicator":"major","description":""}})") << Indicator::Major
            << QStringLiteral("Partial Outage") << false << QString();
        QTest::newRow("blank description is kept")
            << QByteArray(R"({"status":{"indicator":"none","description":" "}})") << Indicator::None << QStringLiteral(" ")
            << false << QString();
        QTest::newRow("first active incident names the title")
            << QByteArray(R"({"status":{"indicator":"minor","description":"d"},"incidents":[
                {"name":"X","status":"resolved"},{"name":"Y","status":"investigating"},{"name":"Z","status":"identified"}]})")
            << Indicator::Minor << QStringLiteral("d") << false << QStringLiteral("Y");
        QTest::newRow("postmortem in capitals is over, no status is active")
            << QByteArray(R"({"status":{"indicator":"minor","description":"d"},"incidents":[
                {"name":"X","status":"POSTMORTEM"},{"name":"Y"}]})")
            << Indicator::Minor << QStringLiteral("d") << false << QStringLiteral("Y");
        QTest::newRow("unnamed active incident ends the walk")
            << QByteArray(R"({"status":{"indicator":"minor","description":"d"},"incidents":[
                {"status":"investigating"},{"name":"Z","status":"identified"}]})")
            << Indicator::Minor << QStringLiteral("d") << false << QString();
    }

    void pageWideMode()
    {
        QFETCH(QByteArray, json);
        QFETCH(Indicator, indicator);
        QFETCH(QString, description);
        QFETCH(bool, maintenance);
        QFETCH(QString, title);
        const ServiceStatusResult result = evaluate(json);
        QCOMPARE(result.indicator, indicator);
        QCOMPARE(result.description, description);
        QCOMPARE(result.isMaintenance, maintenance);
        QCOMPARE(result.incidentTitle.value_or(QString()), title);
        QCOMPARE(result.incidentTitle.has_value(), !title.isEmpty());
    }

    void componentMode_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<QString>("description");
        QTest::addColumn<bool>("maintenance");

        const QByteArray ab = summary({component("a", "A", "degraded_performance"), component("b", "B", "under_maintenance")});
        QTest::newRow("first of equals wins") << ab << QStringList{QStringLiteral("a"), QStringLiteral("b")}
                                              << Indicator::Minor << QStringLiteral("A: Degraded Performance") << false;
        QTest::newRow("maintenance component") << ab << QStringList{QStringLiteral("b")} << Indicator::Minor
                                               << QStringLiteral("B: Degraded Performance") << true;

        const QByteArray one = summary({component("a", "A", "operational")});
        QTest::newRow("two of three missing") << one << QStringList{QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("y")}
                                              << Indicator::Unknown << QStringLiteral("2 of 3 selected components not found") << false;
        QTest::newRow("duplicate selection counts once") << one << QStringList{QStringLiteral("a"), QStringLiteral("a")}
                                                         << Indicator::None << QStringLiteral("All Systems Operational") << false;
        QTest::newRow("nothing selected is present") << one << QStringList{QStringLiteral("x")} << Indicator::Unknown
                                                     << QStringLiteral("Selected components not found") << false;

        const QByteArray down = summary({component("a", "Core", "major_outage")});
        QTest::newRow("missing ones do not hide an outage")
            << down << QStringList{QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("y")} << Indicator::Critical
            << QStringLiteral("Core: Major Outage") << false;

        const QByteArray odd = summary({component("a", "A", "operational"), component("b", "B", "exploded")});
        QTest::newRow("unknown status word counts as missing")
            << odd << QStringList{QStringLiteral("a"), QStringLiteral("b")} << Indicator::Unknown
            << QStringLiteral("1 of 2 selected components not found") << false;
    }

    void componentMode()
    {
        QFETCH(QByteArray, json);
        QFETCH(QStringList, selected);
        QFETCH(Indicator, indicator);
        QFETCH(QString, description);
        QFETCH(bool, maintenance);
        const ServiceStatusResult result = evaluate(json, selected);
        QCOMPARE(result.indicator, indicator);
        QCOMPARE(result.description, description);
        QCOMPARE(result.isMaintenance, maintenance);
    }

    void componentModeTitleOnlyFromIncidentsOfSelectedComponents()
    {
        const QByteArray json = summary({component("a", "A", "partial_outage"), component("b", "B", "operational")},
                                        R"([{"name":"No components","status":"investigating"},
                                            {"name":"Other","status":"investigating","components":[{"id":"b"}]},
                                            {"name":"Mine","status":"identified","components":[{"id":"b"},{"id":"a"}]}])");
        QCOMPARE(evaluate(json, QStringList{QStringLiteral("a")}).incidentTitle, std::optional<QString>(QStringLiteral("Mine")));

        const QByteArray unrelated = summary({component("a", "A", "partial_outage")},
                                             R"([{"name":"Other","status":"investigating","components":[{"id":"z"}]}])");
        QVERIFY(!evaluate(unrelated, QStringList{QStringLiteral("a")}).incidentTitle);
    }

    void listsComponentsForThePicker()
    {
        const QByteArray json = R"({"status":{"indicator":"none","description":"d"},"components":[
            {"id":"g","name":"Group","status":"operational","group":true,"group_id":null},
            {"id":"m","name":"Member","status":"operational","group":false,"group_id":"g"}]})";
        m_server.setRoute("/api/v2/summary.json", FakeRoute::json(json));
        const StatuspageProvider::ComponentListing listing =
            QCoro::waitFor(StatuspageProvider::fetchComponents(m_server.httpsUrl(QStringLiteral("/any/page")), HttpSession()));
        QVERIFY(!listing.error);
        QCOMPARE(listing.components.size(), 2);
        QCOMPARE(listing.components.at(0).group, std::optional<bool>(true));
        QVERIFY(!listing.components.at(0).groupID);
        QCOMPARE(listing.components.at(1).groupID, std::optional<QString>(QStringLiteral("g")));

        m_server.setRoute("/api/v2/summary.json", FakeRoute::json("{}", 500));
        const StatuspageProvider::ComponentListing failed =
            QCoro::waitFor(StatuspageProvider::fetchComponents(m_server.httpsUrl(QStringLiteral("/")), HttpSession()));
        QCOMPARE(failed.error, std::optional<QString>(QStringLiteral("HTTP 500")));
    }
};

QTEST_GUILESS_MAIN(TestStatuspageProvider)
#include "tst_statuspageprovider.moc"
