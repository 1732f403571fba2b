#include "ui/tray/panelmodel.h"

#include "monitorrig.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<ServiceStatusResult>)
Q_DECLARE_METATYPE(Glyph)

namespace {

const QDateTime now = QDateTime(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);

// Letters name the services in stored order; each is followed by its state: '-' no result,
// '?' unknown, '0' to '3' none to critical.
struct Listing {
    QList<Service> services;
    QHash<QUuid, ServiceStatusResult> results;
};

Listing listing(const QString &layout)
{
    Listing made;
    for (qsizetype i = 0; i + 1 < layout.size(); i += 2) {
        const Service service = makeService(layout.at(i));
        made.services.append(service);
        const QChar state = layout.at(i + 1);
        if (state == u'-')
            continue;
        const Indicator indicator = state == u'?' ? Indicator::Unknown : *indicatorFromRaw(state.digitValue());
        made.results.insert(service.id, ServiceStatusResult{service.id, indicator, label(indicator), now, {}, false});
    }
    return made;
}

} // namespace

class TestPanelModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void grouping_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("affected");
        QTest::addColumn<QString>("healthy");
        const auto row = [](const char *name, const char *layout, const char *affected, const char *healthy) {
            QTest::newRow(name) << QString::fromLatin1(layout) << QString::fromLatin1(affected)
                                << QString::fromLatin1(healthy);
        };
        row("before any result", "a-b-c-", "", "abc");
        row("only healthy, unknown among them", "a0b?c-", "", "abc");
        row("only affected", "a1b3", "ba", "");
        row("severity first, stable within", "a2b1c3d0e2f?g3", "cgaeb", "df");
    }

    void grouping()
    {
        QFETCH(QString, layout);
        const Listing input = listing(layout);
        const GroupedServices grouped = groupServices(input.services, input.results);
        QTEST(names(grouped.affected).join(QString()), "affected");
        QTEST(names(grouped.healthy).join(QString()), "healthy");
    }

    void relativeTimes_data()
    {
        QTest::addColumn<qint64>("secondsAgo");
        QTest::addColumn<QString>("full");
        QTest::addColumn<QString>("brief");
        const auto row = [](const char *name, qint64 secondsAgo, const char *full, const char *brief) {
            QTest::newRow(name) << secondsAgo << QString::fromLatin1(full) << QString::fromLatin1(brief);
        };
        row("just now", 0, "now", "now");
        row("clock went back", -120, "now", "now");
        row("one minute", 61, "1 minute ago", "1 min. ago");
        row("weeks", 15 * 86400, "2 weeks ago", "2 wk. ago");
    }

    void relativeTimes()
    {
        QFETCH(qint64, secondsAgo);
        const QDateTime moment = now.addSecs(-secondsAgo);
        QTEST(relativeTime(moment, now, RelativeUnits::Full), "full");
        QTEST(relativeTime(moment, now, RelativeUnits::Short), "brief");
    }

    // Offline says so whatever the last states were; nothing readable is no verdict.
    void headerTexts()
    {
        QCOMPARE(updatedText(std::nullopt, now), u"Checking\u2026"_s);
        QCOMPARE(summaryText(Indicator::Major, false), u"Partial Service Outage"_s);
        QCOMPARE(summaryText(Indicator::None, true), u"No connection"_s);
        QCOMPARE(summaryText(Indicator::Unknown, false), u"Status Unavailable"_s);
    }

    void rows_data()
    {
        QTest::addColumn<std::optional<ServiceStatusResult>>("result");
        QTest::addColumn<Glyph>("glyph");
        QTest::addColumn<bool>("neutral");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("age");
        QTest::addColumn<QString>("spoken");

        const QUuid id = QUuid::createUuid();
        const auto row = [&](const char *name, std::optional<Indicator> indicator, std::optional<QString> title,
                             bool maintenance, Glyph glyph, const char *description, const char *spoken) {
            std::optional<ServiceStatusResult> result;
            if (indicator)
                result = ServiceStatusResult{id, *indicator, u"Feed text"_qs, now.addSecs(-300), title, maintenance};
            QTest::newRow(name) << result << glyph << maintenance << QString::fromUtf8(description)
                                << QString::fromLatin1(indicator ? "5 min. ago" : "") << QString::fromUtf8(spoken);
        };
        row("not checked yet", std::nullopt, std::nullopt, false, Glyph::Question, "Checking\u2026",
            "GitHub, Checking\u2026");
        row("maintenance with title", Indicator::Minor, u"Database upgrade"_qs, true, Glyph::Wrench, "Database upgrade",
            "GitHub, Database upgrade, under maintenance, updated 5 min. ago");
        row("maintenance without title", Indicator::None, std::nullopt, true, Glyph::Wrench, "Under Maintenance",
            "GitHub, Under Maintenance, under maintenance, updated 5 min. ago");
        row("incident title over the feed's text", Indicator::Major, u"Git pushes fail"_qs, false, Glyph::Octagon,
            "Git pushes fail", "GitHub, Git pushes fail, updated 5 min. ago");
        row("unreachable", Indicator::Unknown, std::nullopt, false, Glyph::Question, "Feed text",
            "GitHub, Feed text, updated 5 min. ago");
    }

    void rows()
    {
        QFETCH(std::optional<ServiceStatusResult>, result);
        const Service service = makeService(u"GitHub"_s, u"https://www.githubstatus.com/x"_s);
        const RowContent row = rowContent(service, result, now);
        QTEST(row.glyph, "glyph");
        QTEST(row.neutralGlyph, "neutral");
        QTEST(row.description, "description");
        QTEST(row.ageText, "age");
        QTEST(row.accessibilityLabel, "spoken");
        QCOMPARE(row.toolTip, u"Open www.githubstatus.com"_s);
    }

    void rowToolTips()
    {
        // the host in its encoded form; without a host, the name
        QCOMPARE(rowContent(makeService(u"Bücher"_s, u"https://bücher.example/status"_s), std::nullopt, now).toolTip,
                 u"Open xn--bcher-kva.example"_s);
        QCOMPARE(rowContent(makeService(u"Local"_s, u"file:///srv/status"_s), std::nullopt, now).toolTip,
                 u"Open Local"_s);
    }
};

QTEST_MAIN(TestPanelModel)
#include "tst_panelmodel.moc"
