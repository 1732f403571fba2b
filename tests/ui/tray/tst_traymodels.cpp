#include "core/translations.h"
#include "ui/tray/detailsmodel.h"
#include "ui/tray/panelmodel.h"
#include "ui/tray/traymenu.h"

#include "monitorrig.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(Maintenance)
Q_DECLARE_METATYPE(Incident)
Q_DECLARE_METATYPE(IncidentText)
Q_DECLARE_METATYPE(std::optional<ServiceStatusResult>)
Q_DECLARE_METATYPE(Glyph)

namespace {

// Thursday 5 March 2026, 15:00 UTC: 16:00 on the user's clock, an hour east of UTC, so
// that a day's word is decided by the user's clock and not by UTC.
const QDateTime now(QDate(2026, 3, 5), QTime(15, 0), QTimeZone::utc());
const QTimeZone zone(3600);
const DetailsTime shown{now, zone};

// A moment on the user's clock, `days` after today, at "hh:mm"; in UTC as feeds give it.
QDateTime local(int days, const char *clock)
{
    return QDateTime(QDate(2026, 3, 5).addDays(days), QTime::fromString(QString::fromLatin1(clock), u"hh:mm"), zone)
        .toUTC();
}

Maintenance window(QDateTime starts, QDateTime ends, Maintenance::Status status = Maintenance::Status::Scheduled)
{
    return Maintenance{QStringLiteral("Database upgrade"), status, std::move(starts), std::move(ends), QUrl()};
}

// Samples written as "state@hours ago" words: a state is a raw stored value ("-1" unknown,
// "0" operational … "3" critical, others as a damaged file may hold them).
QList<StatusHistory::Sample> samples(const char *layout)
{
    QList<StatusHistory::Sample> made;
    for (const QString &word : QString::fromLatin1(layout).split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype at = word.indexOf(u'@');
        made.append({now.addSecs(qint64(-word.mid(at + 1).toDouble() * 3600)), word.left(at).toInt()});
    }
    return made;
}

// A check every hour over the `days` before now, operational but for the given hours ago.
QList<StatusHistory::Sample> hourly(int days, const QHash<int, int> &states)
{
    QList<StatusHistory::Sample> made;
    for (int ago = days * 24; ago >= 0; --ago)
        made.append({now.addSecs(qint64(-ago) * 3600), states.value(ago, 0)});
    return made;
}

// The samples as the uptime record counts them: unknown and damaged states are not.
UptimeRecord::Series record(const QList<StatusHistory::Sample> &samples)
{
    UptimeRecord::Series series;
    for (const StatusHistory::Sample &sample : samples) {
        if (const std::optional<Indicator> indicator = indicatorFromStoredNumber(sample.indicator))
            series.add(*indicator, sample.time, now);
    }
    return series;
}

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
        const Indicator indicator = state == u'?' ? Indicator::Unknown : *indicatorFromStoredNumber(state.digitValue());
        made.results.insert(service.id, ServiceStatusResult{service.id, indicator, label(indicator), now, {}, false});
    }
    return made;
}

} // namespace

// What the panel and the details windows show, as the models word and order it.
class TestTrayModels : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // English's plural forms ("1 minute", "2 minutes") come from its translation, as in the
    // program; the locale stays the tests' C.
    void initTestCase() { QVERIFY(Translations::install({u"en"_s, QLocale::c()})); }

    // ICU's relative day words for the next two days, its intervals otherwise; the clock
    // is the C locale's 12-hour one.
    void maintenanceWindows_data()
    {
        QTest::addColumn<Maintenance>("maintenance");
        QTest::addColumn<QString>("when");
        using S = Maintenance::Status;
        QTest::newRow("tonight") << window(local(0, "22:00"), local(0, "23:00"))
                                 << u"Tonight 10:00\u2009\u2013\u200911:00\u202fPM"_s;
        QTest::newRow("later today") << window(local(0, "16:30"), local(0, "17:00"))
                                     << u"Today 4:30\u2009\u2013\u20095:00\u202fPM"_s;
        QTest::newRow("the user's midnight, before UTC's")
            << window(QDateTime(QDate(2026, 3, 5), QTime(23, 30), QTimeZone::utc()),
                      QDateTime(QDate(2026, 3, 6), QTime(0, 30), QTimeZone::utc()))
            << u"Tomorrow 12:30\u2009\u2013\u20091:30\u202fAM"_s;
        QTest::newRow("next week") << window(local(5, "22:00"), local(5, "23:00"))
                                   << u"Tue, Mar 10, 10:00\u2009\u2013\u200911:00\u202fPM"_s;
        QTest::newRow("across midnight") << window(local(0, "22:00"), local(1, "02:00"))
                                         << u"Thu, Mar 5, 10:00\u202fPM\u2009\u2013\u2009Fri, Mar 6, 2:00\u202fAM"_s;
        QTest::newRow("no end given") << window(local(1, "09:00"), QDateTime()) << u"Tomorrow 9:00\u202fAM"_s;
        QTest::newRow("end before start") << window(local(1, "09:00"), local(1, "08:00")) << u"Tomorrow 9:00\u202fAM"_s;
        QTest::newRow("in progress") << window(local(0, "15:00"), local(0, "23:00"), S::InProgress)
                                     << u"In progress until 11:00\u202fPM"_s;
        QTest::newRow("begun, the feed still says scheduled")
            << window(local(0, "15:00"), local(1, "02:00")) << u"In progress until Fri, Mar 6, 2:00\u202fAM"_s;
        QTest::newRow("in progress without end") << window(QDateTime(), QDateTime(), S::InProgress) << u"In progress"_s;
        QTest::newRow("no time") << window(QDateTime(), QDateTime()) << u"Time not announced"_s;
    }

    void maintenanceWindows()
    {
        QFETCH(Maintenance, maintenance);
        QFETCH(QString, when);
        QCOMPARE(maintenanceWhen(maintenance, shown), when);
    }

    void incidents_data()
    {
        QTest::addColumn<Incident>("incident");
        QTest::addColumn<IncidentText>("expected");
        const QUrl page(QStringLiteral("https://www.githubstatus.com/incidents/x1"));
        const QString title = QStringLiteral("Git pushes fail");
        auto incident = [&](const char *status, const QDateTime &started, const char *update, const QDateTime &at) {
            const QString stage = QString::fromLatin1(status);
            return Incident{title, stage, Indicator::Major, started, at, QString::fromLatin1(update), page};
        };
        auto text = [&](const QString &status, const char *update, const QString &age) {
            const QString control = u"Opens the page of \u201cGit pushes fail\u201d"_s;
            return IncidentText{title, status, QString::fromLatin1(update), age, page, control};
        };
        QTest::newRow("stage, start today, update")
            << incident("identified", local(0, "14:04"), "We found the cause.", now.addSecs(qint64(-20) * 60))
            << text(u"Identified \u00b7 Started 1 hour ago (2:04\u202fPM)"_s, "We found the cause.",
                    u"Updated 20 minutes ago"_s);
        QTest::newRow("two-word stage, start yesterday with its date")
            << incident("in_progress", local(-1, "09:30"), "", QDateTime())
            << text(u"In progress \u00b7 Started 1 day ago (Wed, Mar 4, 9:30\u202fAM)"_s, "", QString());
        QTest::newRow("nothing but the title")
            << incident("", QDateTime(), "", QDateTime()) << text(QString(), "", QString());
        QTest::newRow("update folded to one paragraph")
            << incident("monitoring", QDateTime(), "  A fix is out.\n\n  We are watching.  ", now)
            << text(u"Monitoring"_s, "A fix is out. We are watching.", u"Updated now"_s);
    }

    void incidents()
    {
        QFETCH(Incident, incident);
        QFETCH(IncidentText, expected);
        ServiceStatusResult result;
        result.incidents = {incident};
        const DetailsContent content = detailsContent(makeService("GitHub"), result, {}, shown);
        QCOMPARE(content.incidents.size(), 1);
        const IncidentText &text = content.incidents.first();
        QCOMPARE(text, expected);
    }

    void longUpdatesEndAtAWord()
    {
        ServiceStatusResult result;
        result.incidents = {Incident{QStringLiteral("Slow"), {}, {}, {}, {}, QString(u"word "_s).repeated(100), {}}};
        const QString update = detailsContent(makeService("GitHub"), result, {}, shown).incidents.first().update;
        QVERIFY2(update.size() <= 281 && update.size() > 200, qPrintable(update));
        QVERIFY(update.endsWith(u"word\u2026"_s));
    }

    // Running windows first, then the soonest; the details' own texts and the control's name.
    void contentOfAService()
    {
        ServiceStatusResult result;
        result.maintenances = {window(local(2, "01:00"), local(2, "02:00")),
                               window(local(0, "22:00"), local(0, "23:00")),
                               window(local(0, "15:00"), local(0, "17:00"), Maintenance::Status::InProgress)};
        result.maintenances[1].title = QStringLiteral("  Network\nwork ");
        const DetailsContent content = detailsContent(makeService("GitHub"), result, {}, shown);
        QCOMPARE(content.controlName, u"Details for GitHub"_s);
        QList<MaintenanceText> expected{{u"Database upgrade"_s, u"In progress until 5:00\u202fPM"_s},
                                        {u"Network work"_s, u"Tonight 10:00\u2009\u2013\u200911:00\u202fPM"_s},
                                        {u"Database upgrade"_s, u"Sat, Mar 7, 1:00\u2009\u2013\u20092:00\u202fAM"_s}};
        QCOMPARE(content.maintenances, expected);
    }

    // The share counts readable samples (a known state) and names the time they cover.
    void weekShare_data()
    {
        QTest::addColumn<QList<StatusHistory::Sample>>("history");
        QTest::addColumn<QString>("text");
        QTest::newRow("no samples") << QList<StatusHistory::Sample>() << u"No history yet"_s;
        QTest::newRow("only unreadable") << samples("-1@3 -1@1 9@0.5") << u"No history yet"_s;
        QTest::newRow("one hour of the week degraded") << hourly(7, {{40, 1}}) << u"99.4 % operational over 7 days"_s;
        QTest::newRow("unknown and damaged not counted")
            << samples("0@7.9 -1@6 0@5 2@4 7@3 0@2 -1@1") << u"75.0 % operational over 8 hours"_s;
        QTest::newRow("span from the oldest readable sample")
            << samples("-1@100 3@2.2 0@1") << u"50.0 % operational over 2 hours"_s;
        QTest::newRow("minutes") << samples("0@0.2 0@0.1") << u"100.0 % operational over 12 minutes"_s;
        QTest::newRow("one sample just now") << samples("1@0") << u"0.0 % operational over 1 minute"_s;
        QTest::newRow("days round") << samples("0@60 1@1") << u"50.0 % operational over 3 days"_s;
        QTest::newRow("a week of a longer record") << hourly(20, {{24 * 8, 2}}) << u"100.0 % operational over 7 days"_s;
        QTest::newRow("30 days") << hourly(40, {{24 * 35, 2}})
                                 << u"100.0 % operational over 7 days\n100.00 % operational over 30 days"_s;
        // 720 of 721 hours, then 2154 of the 2160 hours kept; older checks are gone
        QHash<int, int> troubles{{24 * 20, 1}, {24 * 93, 3}};
        for (int hour = 0; hour < 5; ++hour)
            troubles.insert(24 * 60 + hour, hour == 2 ? 3 : 2);
        QTest::newRow("90 days, older ones forgotten")
            << hourly(95, troubles)
            << u"100.0 % operational over 7 days\n99.86 % operational over 30 days\n99.72 % operational over 90 days"_s;
    }

    void weekShare()
    {
        QFETCH(QList<StatusHistory::Sample>, history);
        QFETCH(QString, text);
        QCOMPARE(weekText(record(history), now), text);
    }

    // The control is offered when the details have something to draw: a story, or a
    // readable check in the week of the record (which outlives the sparkline's samples).
    void detailsOffered_data()
    {
        QTest::addColumn<QList<StatusHistory::Sample>>("history");
        QTest::addColumn<bool>("story");
        QTest::addColumn<bool>("offered");
        QTest::newRow("nothing") << QList<StatusHistory::Sample>() << false << false;
        QTest::newRow("only unreadable") << samples("-1@3 -1@0") << false << false;
        QTest::newRow("a check in the week") << samples("2@160") << false << true;
        QTest::newRow("only checks before the week") << samples("0@200 0@169") << false << false;
        QTest::newRow("an incident, no record") << QList<StatusHistory::Sample>() << true << true;
    }

    void detailsOffered()
    {
        QFETCH(QList<StatusHistory::Sample>, history);
        QFETCH(bool, story);
        QFETCH(bool, offered);
        std::optional<ServiceStatusResult> result;
        if (story) {
            result = ServiceStatusResult{QUuid(), Indicator::Minor, u"Minor"_s, now, {}, false};
            result->incidents = {Incident{u"Slow"_s, {}, {}, {}, {}, {}, {}}};
        }
        QCOMPARE(hasDetails(result, record(history), now), offered);
    }

    void weekSlotsTakeTheWorstReadableState()
    {
        const QList<std::optional<Indicator>> slots = weekSlots(
            record(samples("0@200 3@168.5 0@167.5 1@100.5 0@100.2 -1@50 0@10.5 -1@10.1 2@0.5 0@0")), now);
        QCOMPARE(slots.size(), 84);
        QList<std::optional<Indicator>> expected(84);
        expected[0] = Indicator::None; // 167.5 hours ago; the older ones are past the week
        expected[33] = Indicator::Minor; // 100.5 and 100.2 hours ago: the worse one
        // 50 hours ago nothing readable: the record counts only readable checks
        expected[78] = Indicator::None; // a readable sample outweighs an unreadable one
        expected[83] = Indicator::Major; // the newest two hours
        QCOMPARE(slots, expected);
    }

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

    // The tray menu's glance: the header, then what is not operational, worst first and
    // unreadable feeds last, ten at most; "all well" only once every service has a state.
    void menuGlance_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("lines");
        const auto row = [](const char *name, const char *layout, QStringList lines) {
            QTest::newRow(name) << QString::fromLatin1(layout) << lines;
        };
        row("nothing watched", "", {});
        row("all well", "a0b0c0", {u"All 3 services operational"_s});
        row("one service", "a0", {u"The 1 service is operational"_s});
        row("still checking", "a0b-", {});
        row("worst first, unknown last", "a?b1c3d0",
            {u"c \u2014 Major Outage"_s, u"b \u2014 Degraded Performance"_s, u"a \u2014 Unreachable"_s});
        row("ten and the rest", "a1b1c1d1e1f1g1h1i1j1k1l2",
            {u"l \u2014 Partial Outage"_s, u"a \u2014 Degraded Performance"_s, u"b \u2014 Degraded Performance"_s,
             u"c \u2014 Degraded Performance"_s, u"d \u2014 Degraded Performance"_s, u"e \u2014 Degraded Performance"_s,
             u"f \u2014 Degraded Performance"_s, u"g \u2014 Degraded Performance"_s, u"h \u2014 Degraded Performance"_s,
             u"i \u2014 Degraded Performance"_s, u"2 more\u2026"_s});
    }

    void menuGlance()
    {
        QFETCH(QString, layout);
        const Listing input = listing(layout);
        const QList<TrayMenuLine> glance = TrayMenu::glance(
            {.services = input.services, .results = input.results, .lastUpdated = now.addSecs(-120), .now = now});
        QCOMPARE(glance.value(0).action, TrayMenuLine::Action::OpenPanel);
        // an emptied list is not being checked, however recently it last was
        QCOMPARE(glance.value(1).label,
                 input.services.isEmpty() ? u"No services are watched."_s : updatedText(now.addSecs(-120), now));
        QCOMPARE(glance.value(1).action, TrayMenuLine::Action::None);
        QStringList lines;
        for (const TrayMenuLine &line : glance.sliced(2))
            lines.append(line.label);
        QTEST(lines, "lines");
        for (const TrayMenuLine &line : glance.sliced(2)) {
            if (line.action == TrayMenuLine::Action::OpenService)
                QVERIFY(!line.service.isNull() && line.glyph && line.accessibleText.startsWith(line.label.left(1))
                        && line.accessibleText.count(label(line.indicator)) == 1); // the state said once
        }
    }

    // A name or description from a feed cannot stretch the menu across the screen.
    void menuGlanceElides()
    {
        Listing input = listing(u"a2"_s);
        input.services.first().name = QString(80, u'n');
        input.results[input.services.first().id].description = u"  a   long\ndescription "_s + QString(80, u'd');
        const TrayMenuLine line =
            TrayMenu::glance({.services = input.services, .results = input.results, .now = now}).value(2);
        QVERIFY2(line.label.endsWith(u'\u2026'), qPrintable(line.label));
        QVERIFY(line.label.startsWith(QString(TrayMenu::nameLength - 1, u'n') + u"\u2026 \u2014 a long description"_s));
        QVERIFY(line.accessibleText.contains(QString(80, u'n')));
    }

    // Whole units of the largest that fits; the short form (ICU's wording) tells the same
    // number in fewer letters.
    void relativeTimes_data()
    {
        QTest::addColumn<qint64>("secondsAgo");
        QTest::addColumn<QString>("full");
        QTest::newRow("just now") << qint64(0) << u"now"_s;
        QTest::newRow("clock went back") << qint64(-120) << u"now"_s;
        QTest::newRow("one minute") << qint64(61) << u"1 minute ago"_s;
        QTest::newRow("weeks") << qint64(15) * 86400 << u"2 weeks ago"_s;
    }

    void relativeTimes()
    {
        QFETCH(qint64, secondsAgo);
        QFETCH(QString, full);
        const QDateTime moment = now.addSecs(-secondsAgo);
        QCOMPARE(relativeTime(moment, now, RelativeUnits::Full), full);
        const QString brief = relativeTime(moment, now, RelativeUnits::Short);
        if (full == u"now"_s) {
            QCOMPARE(brief, full);
        } else {
            QVERIFY2(brief.size() < full.size() && brief.section(u' ', 0, 0) == full.section(u' ', 0, 0),
                     qPrintable(brief));
        }
    }

    // Offline says so whatever the last states were; nothing readable is no verdict.
    void headerSummary()
    {
        const QString offline = summaryText(Indicator::None, true);
        for (const Indicator indicator : {Indicator::Unknown, Indicator::Minor, Indicator::Major, Indicator::Critical})
            QCOMPARE(summaryText(indicator, true), offline);
        QVERIFY(summaryText(Indicator::None, false) != offline);
        QVERIFY(summaryText(Indicator::Unknown, false) != summaryText(Indicator::None, false));
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
            const QString age = indicator ? relativeTime(now.addSecs(-300), now, RelativeUnits::Short) : QString();
            QTest::newRow(name) << result << glyph << maintenance << QString::fromUtf8(description) << age
                                << QString::fromUtf8(spoken).replace(u"%age"_s, age);
        };
        row("not checked yet", std::nullopt, std::nullopt, false, Glyph::Question, "Checking\u2026",
            "GitHub, Checking\u2026");
        row("maintenance with title", Indicator::Minor, u"Database upgrade"_qs, true, Glyph::Wrench, "Database upgrade",
            "GitHub, Database upgrade, under maintenance, updated %age");
        row("maintenance without title", Indicator::None, std::nullopt, true, Glyph::Wrench, "Under Maintenance",
            "GitHub, Under Maintenance, under maintenance, updated %age");
        row("incident title over the feed's text", Indicator::Major, u"Git pushes fail"_qs, false, Glyph::Octagon,
            "Git pushes fail", "GitHub, Git pushes fail, updated %age");
        row("unreachable", Indicator::Unknown, std::nullopt, false, Glyph::Question, "Feed text",
            "GitHub, Feed text, updated %age");
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

QTEST_MAIN(TestTrayModels)
#include "tst_traymodels.moc"
