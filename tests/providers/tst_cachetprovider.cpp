#include "providers/cachet/cachetprovider.h"

#include "readertesting.h"

using namespace ReaderTesting;

// The Cachet provider: the worst component, the incidents asked for only in trouble, and what
// makes a document a Cachet one.
class TestCachetProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Rows give the document's "data".
    void evaluate_data()
    {
        gradingColumns();
        const auto row = [](const char *name, const char *data, const char *expected) {
            gradingRow(name, R"({"data":)" + QByteArray(data) + '}', expected);
        };
        row("performance issues, as a numeral", R"([{"id":"1","name":"API","status":"2"}])",
            "minor: API: Degraded Performance");
        row("the worst wins", R"([{"id":1,"name":"A","status":3},{"id":2,"name":"B","status":1}])",
            "major: A: Partial Outage");
        row("major outage", R"([{"id":1,"name":"A","status":2},{"id":2,"name":"B","status":4}])",
            "critical: B: Major Outage");
        row("unknown statuses count for nothing", R"([{"id":1,"name":"A","status":0},{"id":2,"name":"B","status":1}])",
            "none: All Systems Operational");
        row("disabled components neither",
            R"([{"id":1,"name":"A","status":4,"enabled":false},{"id":2,"name":"B","status":1}])",
            "none: All Systems Operational");
        row("only unknown", R"([{"id":1,"name":"A","status":0}])",
            "unknown: None of the page's components has a known status.");
        row("no components", "[]", "unknown: The page lists no components.");
        row("no status", R"([{"id":1,"name":"A"}])", "unreadable");
        row("fractional status", R"([{"id":1,"name":"A","status":1.5}])", "unreadable");
        row("no name", R"([{"id":1,"status":1}])", "unreadable");
        row("not a list", R"({"id":1})", "unreadable");
    }

    void evaluate()
    {
        QFETCH(QByteArray, document);
        QTEST(gradedOr(CachetProvider::decode(document), &CachetProvider::evaluate, ProviderKind::Cachet,
                       CachetProvider::Story()),
              "expected");
    }

    // Unresolved, visible incidents, and the maintenance scheduled ahead.
    void story()
    {
        const CachetProvider::Story story = CachetProvider::decodeStory(fixture(u"cachet/incidents.json"_qs),
                                                                        checkTime());
        QCOMPARE(told(story.incidents),
                 QStringList{u"Website unreachable in Europe | identified | - | 2026-11-30T09:55:00Z | "
                             u"2026-11-30T10:30:00Z | A network provider drops our traffic; we are rerouting. | -"_qs});
        QCOMPARE(told(story.windows),
                 QStringList{u"Database maintenance | scheduled | 2026-12-02T02:00:00Z | - | -"_qs});
    }

    // The incidents are read only after the components showed trouble; the address keeps
    // its scheme.
    void throughTheServer()
    {
        FeedServer server;
        server.setRoute("/api/v1/components", FakeRoute::json(fixture(u"cachet/components.json"_qs)));
        server.setRoute("/api/v1/incidents", FakeRoute::json(fixture(u"cachet/incidents.json"_qs)));
        CachetProvider provider{HttpSession()};
        const ServiceStatusResult result = fetched(provider, ProviderKind::Cachet, server.httpUrl(u"/incidents"_qs));
        QCOMPARE(graded(result), u"major: Website unreachable in Europe [Website unreachable in Europe]"_qs);
        QCOMPARE(result.incidents.size(), 1);
        QCOMPARE(server.requests().first().target, QByteArray("/api/v1/components?per_page=100"));
        QCOMPARE(server.requestCount("/api/v1/incidents"), 1);

        server.setRoute("/api/v1/components", FakeRoute::json(R"({"data":[{"id":1,"name":"API","status":1}]})"));
        QCOMPARE(check(provider, ProviderKind::Cachet, server.httpsUrl()), u"none: All Systems Operational"_qs);
        QCOMPARE(server.requestCount("/api/v1/incidents"), 1);
    }
};

QTEST_GUILESS_MAIN(TestCachetProvider)
#include "tst_cachetprovider.moc"
