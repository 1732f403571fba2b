#include "providers/cachet/cachetprovider.h"

#include "readertesting.h"

using namespace ReaderTesting;

namespace {

// One page of a Cachet list as the API writes it: `data`, and the pagination with a next-page
// link when `next` is given.
QByteArray listPage(const QByteArray &data, int current, int pages, std::optional<QByteArray> next = std::nullopt)
{
    const QByteArray link = next ? '"' + *next + '"' : QByteArray("null");
    return R"({"meta":{"pagination":{"per_page":100,"current_page":)" + QByteArray::number(current)
           + R"(,"total_pages":)" + QByteArray::number(pages) + R"(,"links":{"next_page":)" + link + "}}},"
           + R"("data":)" + data + '}';
}

// Components `first` to `last`, named C and their id, in group `group`, operational but `down`.
QByteArray components(int first, int last, int group, int down = 0)
{
    QByteArrayList list;
    for (int id = first; id <= last; ++id)
        list.append(R"({"id":)" + QByteArray::number(id) + R"(,"name":"C)" + QByteArray::number(id) + R"(","status":)"
                    + (id == down ? "4" : "1") + R"(,"group_id":)" + QByteArray::number(group) + '}');
    return '[' + list.join(',') + ']';
}

QByteArray target(const char *path, int page)
{
    return QByteArray(path) + "?per_page=100" + (page > 1 ? "&page=" + QByteArray::number(page) : QByteArray());
}

Service narrowedTo(const QStringList &ids, const QUrl &url)
{
    Service narrowed = service(ProviderKind::Cachet, url);
    narrowed.components = ids;
    return narrowed;
}

} // namespace

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

    // 300 components over three pages: the first names the next by a link (to the address
    // the server believes it has), the second only by its page numbers. The state, the
    // count of selected components not found and the picker's list see all of them.
    void readsEveryPage()
    {
        FeedServer server;
        server.setRoute(
            target("/api/v1/components", 1),
            FakeRoute::json(listPage(components(1, 100, 1), 1, 3, "http://cachet.internal/api/v1/components?page=2")));
        server.setRoute(target("/api/v1/components", 2), FakeRoute::json(listPage(components(101, 200, 1), 2, 3)));
        server.setRoute(target("/api/v1/components", 3), FakeRoute::json(listPage(components(201, 300, 2, 250), 3, 3)));
        server.setRoute(target("/api/v1/components/groups", 1),
                        FakeRoute::json(listPage(R"([{"id":1,"name":"Core"}])", 1, 2)));
        server.setRoute(target("/api/v1/components/groups", 2),
                        FakeRoute::json(listPage(R"([{"id":2,"name":"Regions"}])", 2, 2)));
        CachetProvider provider{HttpSession()};

        QCOMPARE(check(provider, ProviderKind::Cachet, server.httpUrl()), u"critical: C250: Major Outage"_qs);
        QCOMPARE(server.requestCount("/api/v1/components"), 3);
        QCOMPARE(graded(QCoro::waitFor(
                     provider.fetch(narrowedTo({u"5"_qs, u"205"_qs, u"299"_qs, u"301"_qs}, server.httpUrl())))),
                 u"unknown: 1 of 4 selected components not found"_qs);

        const Decoded<QList<PageComponent>> listing = QCoro::waitFor(
            CachetProvider::fetchComponents(server.httpUrl(), HttpSession()));
        QVERIFY(listing.value);
        QCOMPARE(listing.value->size(), 302);
        QCOMPARE(listing.value->at(1), (PageComponent{u"group/2"_qs, u"Regions"_qs, {}, true, std::nullopt}));
        QCOMPARE(listing.value->last().groupID, std::optional(u"group/2"_qs));
    }

    // Rows give, for each page the server has, the page its link names next (0: none), and
    // the page that fails, if any; the last page holds a component in major outage. A list
    // read in part is never taken for the whole.
    void pagingStops_data()
    {
        QTest::addColumn<QList<int>>("links");
        QTest::addColumn<int>("failing");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("requests");
        const QString endless = u"unknown: The list does not end within 20 pages."_qs;
        QList<int> twenty;
        for (int page = 2; page <= 20; ++page)
            twenty.append(page);
        QTest::newRow("twenty pages, read whole")
            << (twenty + QList<int>{0}) << 0 << u"critical: C20: Major Outage"_qs << 20;
        QTest::newRow("past twenty pages") << (twenty + QList<int>{21, 22, 0}) << 0 << endless << 20;
        QTest::newRow("a link back to a page read") << QList<int>{2, 3, 2} << 0 << endless << 3;
        QTest::newRow("a link to itself") << QList<int>{1} << 0 << endless << 1;
        QTest::newRow("a link without a page number") << QList<int>{-1} << 0 << u"unknown: Unexpected format"_qs << 1;
        QTest::newRow("a page that fails") << QList<int>{2, 3, 0} << 2 << u"unknown: HTTP 503"_qs << 2;
    }

    void pagingStops()
    {
        QFETCH(QList<int>, links);
        QFETCH(int, failing);
        FeedServer server;
        for (int page = 1; page <= links.size(); ++page) {
            const int next = links.at(page - 1);
            const QByteArray body = listPage(
                components(page, page, 0, int(links.size())), page, int(links.size()),
                next == 0  ? std::nullopt
                : next < 0 ? std::optional(QByteArray("/api/v1/components"))
                           : std::optional("/api/v1/components?page=" + QByteArray::number(next)));
            server.setRoute(target("/api/v1/components", page),
                            page == failing ? FakeRoute::text("busy", 503) : FakeRoute::json(body));
        }
        CachetProvider provider{HttpSession()};
        QTEST(check(provider, ProviderKind::Cachet, server.httpUrl()), "expected");
        QTEST(int(server.requestCount("/api/v1/components")), "requests");
    }
};

QTEST_GUILESS_MAIN(TestCachetProvider)
#include "tst_cachetprovider.moc"
