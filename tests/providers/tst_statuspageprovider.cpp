#include "providers/statuspageprovider.h"

#include "readertesting.h"

using namespace ReaderTesting;

namespace {

QByteArray component(const char *id, const char *name, const char *status)
{
    return QByteArray(R"({"id":")") + id + R"(","name":")" + name + R"(","status":")" + status + R"("})";
}

QByteArray summary(const QList<QByteArray> &components, const QByteArray &incidents = "[]")
{
    return R"({"status":{"indicator":"minor","description":"Page text"},"components":[)" + components.join(',')
           + R"(],"incidents":)" + incidents + "}";
}

QByteArray page(const QByteArray &indicator, const QByteArray &description, const QByteArray &incidents = "[]")
{
    return R"({"status":{"indicator":")" + indicator + R"(","description":")" + description + R"("},"incidents":)"
           + incidents + "}";
}

Service selecting(const QStringList &components, const QUrl &url = QUrl(u"https://status.example.com"_qs))
{
    Service selected = service(ProviderKind::Statuspage, url);
    selected.components = components;
    return selected;
}

} // namespace

class TestStatuspageProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Page-wide when no component is selected; "unreadable" when the document does not decode.
    void evaluate_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<QString>("expected");
        QTest::newRow("maintenance in capitals")
            << page("MAINTENANCE", "Scheduled") << QStringList() << u"minor: Scheduled (maintenance)"_qs;
        QTest::newRow("unknown word keeps the page text")
            << page("partial", "Odd") << QStringList() << u"unknown: Odd"_qs;
        QTest::newRow("empty description gives the label")
            << page("major", "") << QStringList() << u"major: Partial Outage"_qs;
        QTest::newRow("blank description is kept") << page("none", " ") << QStringList() << u"none:  "_qs;
        QTest::newRow("closed in any case skipped, no status is active")
            << page("minor", "d", R"([{"name":"X","status":"resolved"},{"name":"W","status":"POSTMORTEM"},{"name":"Y"},
                                      {"name":"Z","status":"identified"}])")
            << QStringList() << u"minor: d [Y]"_qs;
        QTest::newRow("unnamed active incident ends the walk")
            << page("minor", "d", R"([{"status":"investigating"},{"name":"Z","status":"identified"}])") << QStringList()
            << u"minor: d"_qs;
        QTest::newRow("html shell") << QByteArray("<!doctype html><html></html>") << QStringList() << u"unreadable"_qs;
        QTest::newRow("incidents not an array")
            << QByteArray(R"({"status":{"indicator":"none","description":"x"},"incidents":{}})") << QStringList()
            << u"unreadable"_qs;

        const QByteArray ab = summary(
            {component("a", "A", "degraded_performance"), component("b", "B", "under_maintenance")});
        QTest::newRow("first of equals wins")
            << ab << QStringList{u"a"_qs, u"b"_qs} << u"minor: A: Degraded Performance"_qs;
        QTest::newRow("maintenance component")
            << ab << QStringList{u"b"_qs} << u"minor: B: Degraded Performance (maintenance)"_qs;
        // Duplicates count once; a status word not understood counts as missing.
        QTest::newRow("missing ones counted")
            << summary({component("a", "A", "operational"), component("b", "B", "exploded")})
            << QStringList{u"a"_qs, u"a"_qs, u"b"_qs, u"x"_qs} << u"unknown: 2 of 3 selected components not found"_qs;
        QTest::newRow("nothing selected is present")
            << summary({component("a", "A", "operational")}) << QStringList{u"x"_qs}
            << u"unknown: Selected components not found"_qs;
        QTest::newRow("missing ones do not hide an outage")
            << summary({component("a", "Core", "major_outage")}) << QStringList{u"a"_qs, u"x"_qs}
            << u"critical: Core: Major Outage"_qs;
        QTest::newRow("title only from incidents of selected components")
            << summary({component("a", "A", "partial_outage"), component("b", "B", "operational")},
                       R"([{"name":"No components","status":"investigating"},
                           {"name":"Other","status":"investigating","components":[{"id":"b"}]},
                           {"name":"Mine","status":"identified","components":[{"id":"b"},{"id":"a"}]}])")
            << QStringList{u"a"_qs} << u"major: A: Partial Outage [Mine]"_qs;
    }

    void evaluate()
    {
        QFETCH(QByteArray, json);
        QFETCH(QStringList, selected);
        const StatuspageProvider::DecodedDocument decoded = StatuspageProvider::decode(json);
        QCOMPARE(decoded.error.isEmpty(), decoded.document.has_value());
        QTEST(decoded.document ? graded(StatuspageProvider::evaluate(selecting(selected), *decoded.document))
                               : u"unreadable"_qs,
              "expected");
    }

    // The status document page-wide, the summary for selected components and for the picker.
    void throughTheServer()
    {
        FeedServer server;
        server.setRoute("/api/v2/status.json", FakeRoute::json(page("major", "Partial System Outage")));
        server.setRoute("/api/v2/summary.json",
                        FakeRoute::json(R"({"status":{"indicator":"minor","description":"d"},"components":[
            {"id":"a","name":"API","status":"partial_outage","group":true,"group_id":null},
            {"id":"b","name":"Web","status":"operational","group":false,"group_id":"a"}],
            "incidents":[{"name":"API errors","status":"investigating","components":[{"id":"a"}]}]})"));
        StatuspageProvider reader{HttpSession()};
        // Over HTTPS, without the page's path, query or fragment.
        const QUrl address(u"http://127.0.0.1:%1/history?page=2#recent"_qs.arg(server.httpsUrl().port()));
        QCOMPARE(check(reader, ProviderKind::Statuspage, address), u"major: Partial System Outage"_qs);
        QCOMPARE(server.requests().first().target, QByteArray("/api/v2/status.json"));
        QVERIFY(server.requests().first().tls);

        const Service selected = selecting({u"a"_qs, u"b"_qs}, server.httpsUrl());
        const ServiceStatusResult result = QCoro::waitFor(reader.fetch(selected));
        QCOMPARE(result.serviceID, selected.id);
        QCOMPARE(graded(result), u"major: API: Partial Outage [API errors]"_qs);

        const StatuspageProvider::ComponentListing listing = QCoro::waitFor(
            StatuspageProvider::fetchComponents(server.httpsUrl(u"/any/page"_qs), HttpSession()));
        QCOMPARE(listing.components.size(), 2);
        QCOMPARE(listing.components.at(0).group, std::optional<bool>(true));
        QVERIFY(!listing.components.at(0).groupID);
        QCOMPARE(listing.components.at(1).groupID, std::optional<QString>(u"a"_qs));
        QCOMPARE(server.requestCount("/api/v2/summary.json"), 2);

        server.setRoute("/api/v2/status.json", FakeRoute::json("{}", 404));
        server.setRoute("/api/v2/summary.json", FakeRoute::json("{}", 500));
        QCOMPARE(check(reader, ProviderKind::Statuspage, server.httpsUrl()), u"unknown: HTTP 404"_qs);
        QCOMPARE(QCoro::waitFor(StatuspageProvider::fetchComponents(server.httpsUrl(), HttpSession())).error,
                 std::optional<QString>(u"HTTP 500"_qs));
        server.clearRequests();
        for (const QString &invalid : {u"status page"_qs, u"file:///etc/hosts"_qs, u"ftp://127.0.0.1/"_qs})
            QCOMPARE(check(reader, ProviderKind::Statuspage, QUrl(invalid)), u"unknown: Invalid URL"_qs);
        QVERIFY(server.requests().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStatuspageProvider)
#include "tst_statuspageprovider.moc"
