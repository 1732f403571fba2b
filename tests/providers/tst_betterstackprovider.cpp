#include "providers/betterstack/betterstackprovider.h"

#include "readertesting.h"

using namespace ReaderTesting;

namespace {

// A status page in the given state listing resources of the given statuses, then `extra`
// entries of "included".
QByteArray page(const char *state, const QList<const char *> &resources, const char *extra = "")
{
    QByteArray included;
    for (const char *status : resources) {
        included += (included.isEmpty() ? "" : ",");
        included += R"({"type":"status_page_resource","attributes":{"public_name":"R","status":")";
        included += status;
        included += R"("}})";
    }
    return R"({"data":{"type":"status_page","attributes":{"aggregate_state":)" + QByteArray(state)
           + R"(}},"included":[)" + included + extra + "]}";
}

} // namespace

// The Better Stack provider: its state rules on small documents, the story of a page in
// trouble, and one check through a fake server.
class TestBetterStackProvider : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "unreadable" when the document does not decode. Resources are given as their statuses.
    void evaluate_data()
    {
        gradingColumns();
        const auto row = gradingRow;
        row("operational", page(R"("operational")", {"operational"}), "none: All Systems Operational");
        row("degraded, any letter case", page(R"("Degraded")", {"degraded"}), "minor: Degraded Performance");
        row("downtime of some", page(R"("downtime")", {"downtime", "operational"}), "major: Partial Outage");
        row("downtime of all monitored", page(R"("downtime")", {"downtime", "not_monitored", "downtime"}),
            "critical: Major Outage");
        row("downtime, nothing monitored", page(R"("downtime")", {"not_monitored"}), "major: Partial Outage");
        row("a word not documented", page(R"("exploded")", {"operational"}), "major: Partial Outage");
        row("maintenance names the window in progress",
            page(R"("maintenance")", {"maintenance"},
                 R"(,{"type":"status_report","attributes":{"title":"Upgrade","report_type":"maintenance",)"
                 R"("starts_at":"2026-11-30T11:00:00Z","ends_at":"2026-11-30T13:00:00Z"}})"),
            "minor: Upgrade [Upgrade] (maintenance)");
        row("an open report names the trouble",
            page(R"("degraded")", {"degraded"},
                 R"(,{"type":"status_report","attributes":{"title":"Slow","report_type":"automatic",)"
                 R"("aggregate_state":"degraded"}})"),
            "minor: Slow [Slow]");
        row("no monitors", page(R"("operational")", {}), "unknown: The page lists no monitors.");
        row("no state", R"({"data":{"type":"status_page","attributes":{}}})", "unreadable");
        row("state not a string", page("3", {"operational"}), "unreadable");
        row("another resource type", R"({"data":{"type":"status_report","attributes":{"aggregate_state":"x"}}})",
            "unreadable");
        row("included not a list", R"({"data":{"attributes":{"aggregate_state":"operational"}},"included":{}})",
            "unreadable");
    }

    void evaluate()
    {
        QFETCH(QByteArray, document);
        QTEST(gradedOr(BetterStackProvider::decode(document), &BetterStackProvider::evaluate, ProviderKind::BetterStack,
                       checkTime()),
              "expected");
    }

    // Open reports with their newest update, maintenance ahead; reports that ended are left out.
    void story()
    {
        const Decoded<BetterStackProvider::Document> decoded = BetterStackProvider::decode(
            fixture(u"betterstack/index-downtime.json"_qs));
        QVERIFY2(decoded.value, qPrintable(decoded.error));
        const ServiceStatusResult result = BetterStackProvider::evaluate(service(ProviderKind::BetterStack),
                                                                         *decoded.value, checkTime());
        QCOMPARE(ReaderTesting::story(result),
                 (QStringList{u"API requests failing | - | major | 2026-11-30T10:02:00Z | 2026-11-30T10:20:00Z | "
                              u"A bad deploy is being rolled back. | -"_qs,
                              u"Database upgrade | scheduled | 2026-12-01T02:00:00Z | 2026-12-01T04:00:00Z | -"_qs}));
    }

    void throughTheServer()
    {
        FeedServer server;
        server.setRoute("/index.json", FakeRoute::json(fixture(u"betterstack/index-downtime.json"_qs)));
        BetterStackProvider provider{HttpSession()};
        QCOMPARE(check(provider, ProviderKind::BetterStack, server.httpsUrl(u"/incidents/9001?x=1"_qs)),
                 u"major: API requests failing [API requests failing]"_qs);
        QCOMPARE(server.requestCount("/index.json"), 1);
        server.setRoute("/index.json", FakeRoute::json("<html></html>"));
        QVERIFY(check(provider, ProviderKind::BetterStack, server.httpsUrl()).startsWith(u"unknown: "_qs));
        QCOMPARE(check(provider, ProviderKind::BetterStack, QUrl(u"status page"_qs)), u"unknown: Invalid URL"_qs);
    }
};

QTEST_GUILESS_MAIN(TestBetterStackProvider)
#include "tst_betterstackprovider.moc"
