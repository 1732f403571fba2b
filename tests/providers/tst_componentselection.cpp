#include "providers/betterstack/betterstackprovider.h"
#include "providers/cachet/cachetprovider.h"
#include "providers/gatus/gatusprovider.h"
#include "providers/uptimekuma/uptimekumaprovider.h"

#include "readertesting.h"

using namespace ReaderTesting;

namespace {

Service narrowedTo(ProviderKind kind, const QStringList &selection)
{
    Service narrowed = service(kind);
    narrowed.components = selection;
    return narrowed;
}

// The fixture page of each platform checked for a service narrowed to `selection`.
ServiceStatusResult checkFixture(ProviderKind kind, const QStringList &selection)
{
    const Service narrowed = narrowedTo(kind, selection);
    switch (kind) {
    case ProviderKind::BetterStack:
        return BetterStackProvider::evaluate(
            narrowed, *BetterStackProvider::decode(fixture(u"betterstack/index-downtime.json"_qs)).value, checkTime());
    case ProviderKind::Cachet:
        return CachetProvider::evaluate(narrowed, *CachetProvider::decode(fixture(u"cachet/components.json"_qs)).value,
                                        CachetProvider::decodeStory(fixture(u"cachet/incidents.json"_qs), checkTime(),
                                                                    ComponentSelection::selected(narrowed)));
    case ProviderKind::UptimeKuma:
        return UptimeKumaProvider::evaluate(
            narrowed, *UptimeKumaProvider::decodePage(fixture(u"uptimekuma/page.json"_qs)).value,
            *UptimeKumaProvider::decodeHeartbeats(fixture(u"uptimekuma/heartbeat.json"_qs)).value, checkTime());
    case ProviderKind::Gatus:
        return GatusProvider::evaluate(narrowed, *GatusProvider::decode(fixture(u"gatus/statuses.json"_qs)).value);
    default:
        qFatal("no fixture page for this kind");
    }
}

// A listing on one line per part: "id name", headings as "[id name]", members as "id<group".
QStringList lines(const QList<PageComponent> &components)
{
    QStringList list;
    for (const PageComponent &part : components) {
        if (part.group.value_or(false))
            list.append(u'[' + part.id + u' ' + part.name + u']');
        else
            list.append(part.id + u' ' + part.name + (part.groupID ? u'<' + *part.groupID : QString()));
    }
    return list;
}

QStringList titles(const ServiceStatusResult &result)
{
    QStringList list;
    for (const Incident &incident : result.incidents)
        list.append(incident.title);
    for (const Maintenance &window : result.maintenances)
        list.append(window.title);
    return list;
}

} // namespace

// A service narrowed to parts of a Better Stack, Cachet, Uptime Kuma or Gatus page: what each
// provider offers to choose from, and how a choice reads — the worst chosen part, and only the
// story that names one.
class TestComponentSelection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void narrowed_data()
    {
        QTest::addColumn<ProviderKind>("kind");
        QTest::addColumn<QStringList>("selection");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("story"); // incidents', then windows' titles
        ProviderKind kind = ProviderKind::BetterStack;
        const auto row = [&kind](const char *name, const char *selection, const char *expected,
                                 const QStringList &story = {}) {
            QTest::newRow(name) << kind << QString::fromUtf8(selection).split(u' ', Qt::SkipEmptyParts)
                                << QString::fromUtf8(expected) << story;
        };
        // Better Stack: API down (report 9001), Dashboard up with maintenance ahead (9002),
        // Nightly export not monitored.
        const QString failing = u"API requests failing"_qs;
        const QString upgrade = u"Database upgrade"_qs;
        row("the only chosen resource down reads as the whole page down", "101",
            "critical: API: Major Outage [API requests failing]", {failing});
        row("a healthy resource keeps out the other's incident", "102", "none: All Systems Operational", {upgrade});
        row("one of two down", "102 101", "major: API: Partial Outage [API requests failing]", {failing, upgrade});
        row("an unmonitored resource is not found", "103", "unknown: Selected components not found");
        row("a healthy choice with one gone says so", "102 999", "unknown: 1 of 2 selected components not found",
            {upgrade});
        // Cachet: API operational, Website partial outage, Legacy FTP disabled.
        kind = ProviderKind::Cachet;
        row("the component in trouble with its incident", "2",
            "major: Website: Partial Outage [Website unreachable in Europe]", {u"Website unreachable in Europe"_qs});
        row("a healthy component without the page's story", "1", "none: All Systems Operational");
        row("a disabled component is not found", "3", "unknown: Selected components not found");
        // Uptime Kuma: Website up, API down, NAS in maintenance; the pinned incident and the
        // maintenance name no monitor.
        kind = ProviderKind::UptimeKuma;
        row("a monitor down alone", "2", "critical: API: Major Outage");
        row("a monitor in maintenance", "5 1", "minor: NAS: Degraded Performance (maintenance)");
        row("down beside up", "1 2", "major: API: Partial Outage");
        row("an unknown monitor", "7", "unknown: Selected components not found");
        // Gatus: core_blog failing, core_api passing, infra_dns never checked.
        kind = ProviderKind::Gatus;
        row("a failing endpoint alone", "core_blog", "critical: blog: Major Outage");
        row("a passing endpoint", "core_api", "none: All Systems Operational");
        row("a failing endpoint beside a passing one", "core_api core_blog", "major: blog: Partial Outage");
        row("an endpoint never checked is not found", "core_api infra_dns",
            "unknown: 1 of 2 selected components not found");
    }

    void narrowed()
    {
        QFETCH(ProviderKind, kind);
        QFETCH(QStringList, selection);
        const ServiceStatusResult result = checkFixture(kind, selection);
        QTEST(graded(result), "expected");
        QTEST(titles(result), "story");
    }

    // What the picker offers: every part that can be chosen, once, under a heading of its own
    // group; headings never share an id with a part.
    void listings()
    {
        const auto betterStack = BetterStackProvider::decode(fixture(u"betterstack/index-downtime.json"_qs));
        QCOMPARE(lines(BetterStackProvider::components(*betterStack.value)),
                 QStringList({u"[section/7 Services]"_qs, u"101 API<section/7"_qs, u"102 Dashboard<section/7"_qs,
                              u"103 Nightly export<section/7"_qs}));

        const auto kuma = UptimeKumaProvider::decodePage(
            R"({"publicGroupList":[{"id":1,"name":"Web","monitorList":[{"id":1,"name":"Site"},{"id":2,"name":"API"}]},
                                   {"name":"Also","monitorList":[{"id":2,"name":"API"},{"id":5,"name":"NAS"}]}]})");
        QCOMPARE(lines(UptimeKumaProvider::components(*kuma.value)),
                 QStringList({u"[group/1 Web]"_qs, u"[group/#1 Also]"_qs, u"1 Site<group/1"_qs, u"2 API<group/1"_qs,
                              u"5 NAS<group/#1"_qs}));

        const auto gatus = GatusProvider::decode(fixture(u"gatus/statuses.json"_qs));
        QCOMPARE(lines(GatusProvider::components(*gatus.value)),
                 QStringList({u"[group/core core]"_qs, u"core_blog blog<group/core"_qs, u"core_api api<group/core"_qs,
                              u"[group/infra infra]"_qs, u"infra_dns dns<group/infra"_qs}));

        const auto cachet = CachetProvider::decode(
            R"({"data":[{"id":1,"name":"API","status":1,"group_id":4},{"id":2,"name":"Site","status":1,"group_id":0},
                        {"id":3,"name":"Mail","status":2,"group_id":9}]})");
        const QList<CachetProvider::Group> groups = CachetProvider::decodeGroups(
            R"({"data":[{"id":4,"name":"Public"},{"name":"no id"},"junk"]})");
        // a component of a group the list does not name shows ungrouped rather than not at all
        QCOMPARE(lines(CachetProvider::components(*cachet.value, groups)),
                 QStringList({u"[group/4 Public]"_qs, u"1 API<group/4"_qs, u"2 Site"_qs, u"3 Mail"_qs}));
    }

    // The listing is what the check reads; Cachet asks for its groups too, and a refusal
    // only loses the headings.
    void listingThroughTheServer()
    {
        FeedServer server;
        server.setRoute("/api/v1/components",
                        FakeRoute::json(R"({"data":[{"id":1,"name":"API","status":1,"group_id":4}]})"));
        server.setRoute("/api/v1/components/groups", FakeRoute::json(R"({"data":[{"id":4,"name":"Public"}]})"));
        const auto listed = QCoro::waitFor(CachetProvider::fetchComponents(server.httpUrl(u"/"_qs), HttpSession()));
        QCOMPARE(lines(listed.value.value_or(QList<PageComponent>())),
                 QStringList({u"[group/4 Public]"_qs, u"1 API<group/4"_qs}));

        server.setRoute("/api/v1/components/groups", FakeRoute::text("gone", 404));
        const auto ungrouped = QCoro::waitFor(CachetProvider::fetchComponents(server.httpUrl(u"/"_qs), HttpSession()));
        QCOMPARE(lines(ungrouped.value.value_or(QList<PageComponent>())), QStringList({u"1 API"_qs}));

        server.setRoute("/api/v1/components", FakeRoute::text("busy", 503));
        const auto refused = QCoro::waitFor(CachetProvider::fetchComponents(server.httpUrl(u"/"_qs), HttpSession()));
        QVERIFY(!refused.value);
        QVERIFY(!refused.error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestComponentSelection)
#include "tst_componentselection.moc"
