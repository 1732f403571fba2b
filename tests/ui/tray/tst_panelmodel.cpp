#include "ui/tray/panelmodel.h"

#include "monitorrig.h"

#include <QTest>

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
        QTest::newRow("before any result") << "a-b-c-"
                                           << ""
                                           << "abc";
        QTest::newRow("only healthy, unknown among them") << "a0b?c-"
                                                          << ""
                                                          << "abc";
        QTest::newRow("only affected") << "a1b3"
                                       << "ba"
                                       << "";
        QTest::newRow("severity first, stable within") << "a2b1c3d0e2f?g3"
                                                       << "cgaeb"
                                                       << "df";
    }

    void grouping()
    {
        QFETCH(QString, layout);
        const Listing input = listing(layout);
        const GroupedServices grouped = groupServices(input.services, input.results);
        QFETCH(QString, affected);
        QCOMPARE(names(grouped.affected).join(QString()), affected);
        QFETCH(QString, healthy);
        QCOMPARE(names(grouped.healthy).join(QString()), healthy);
    }

    void relativeTimes_data()
    {
        QTest::addColumn<qint64>("secondsAgo");
        QTest::addColumn<QString>("full");
        QTest::addColumn<QString>("brief");
        QTest::newRow("just now") << qint64(0) << "now"
                                  << "now";
        QTest::newRow("clock went back") << qint64(-120) << "now"
                                         << "now";
        QTest::newRow("one minute") << qint64(61) << "1 minute ago"
                                    << "1 min. ago";
        QTest::newRow("weeks") << qint64(15 * 86400) << "2 weeks ago"
                               << "2 wk. ago";
    }

    void relativeTimes()
    {
        QFETCH(qint64, secondsAgo);
        const QDateTime moment = now.addSecs(-secondsAgo);
        QFETCH(QString, full);
        QCOMPARE(relativeTime(moment, now, RelativeUnits::Full), full);
        QFETCH(QString, brief);
        QCOMPARE(relativeTime(moment, now, RelativeUnits::Short), brief);
    }

    void headerAndTrayTexts()
    {
        QCOMPARE(updatedText(std::nullopt, now), QStringLiteral("Checking\u2026"));
        QCOMPARE(updatedText(now.addSecs(-600), now), QStringLiteral("Updated 10 minutes ago"));
        QCOMPARE(trayToolTip(Indicator::Major), QStringLiteral("Glinter \u2014 Partial Outage"));
        // offline says so whatever the last states were; nothing readable is no verdict
        QCOMPARE(summaryText(Indicator::Major, false), QStringLiteral("Partial Service Outage"));
        QCOMPARE(summaryText(Indicator::None, true), QStringLiteral("No connection"));
        QCOMPARE(summaryText(Indicator::Unknown, false), QStringLiteral("Status Unavailable"));
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
        const QDateTime fiveMinutesAgo = now.addSecs(-300);
        auto result = [&](Indicator indicator, std::optional<QString> title, bool maintenance) {
            return std::optional<ServiceStatusResult>(
                ServiceStatusResult{id, indicator, QStringLiteral("Feed text"), fiveMinutesAgo, title, maintenance});
        };
        QTest::newRow("not checked yet") << std::optional<ServiceStatusResult>() << Glyph::Question << false
                                         << "Checking\u2026"
                                         << ""
                                         << "GitHub, Checking\u2026";
        QTest::newRow("maintenance with title") << result(Indicator::Minor, QStringLiteral("Database upgrade"), true)
                                                << Glyph::Wrench << true << "Database upgrade"
                                                << "5 min. ago"
                                                << "GitHub, Database upgrade, under maintenance, updated 5 min. ago";
        QTest::newRow("maintenance without title")
            << result(Indicator::None, std::nullopt, true) << Glyph::Wrench << true << "Under Maintenance"
            << "5 min. ago"
            << "GitHub, Under Maintenance, under maintenance, updated 5 min. ago";
        QTest::newRow("incident title over the feed's text")
            << result(Indicator::Major, QStringLiteral("Git pushes fail"), false) << Glyph::Octagon << false
            << "Git pushes fail"
            << "5 min. ago"
            << "GitHub, Git pushes fail, updated 5 min. ago";
        QTest::newRow("unreachable") << result(Indicator::Unknown, std::nullopt, false) << Glyph::Question << false
                                     << "Feed text"
                                     << "5 min. ago"
                                     << "GitHub, Feed text, updated 5 min. ago";
    }

    void rows()
    {
        QFETCH(std::optional<ServiceStatusResult>, result);
        const Service service = makeService(QStringLiteral("GitHub"), QStringLiteral("https://www.githubstatus.com/x"));
        const RowContent row = rowContent(service, result, now);
        QFETCH(Glyph, glyph);
        QCOMPARE(row.glyph, glyph);
        QFETCH(bool, neutral);
        QCOMPARE(row.neutralGlyph, neutral);
        QFETCH(QString, description);
        QCOMPARE(row.description, description);
        QFETCH(QString, age);
        QCOMPARE(row.ageText, age);
        QFETCH(QString, spoken);
        QCOMPARE(row.accessibilityLabel, spoken);
        QCOMPARE(row.toolTip, QStringLiteral("Open www.githubstatus.com"));
    }

    void rowToolTips()
    {
        // the host in its encoded form; without a host, the name
        QCOMPARE(rowContent(makeService(QStringLiteral("Bücher"), QStringLiteral("https://bücher.example/status")),
                            std::nullopt, now)
                     .toolTip,
                 QStringLiteral("Open xn--bcher-kva.example"));
        QCOMPARE(
            rowContent(makeService(QStringLiteral("Local"), QStringLiteral("file:///srv/status")), std::nullopt, now)
                .toolTip,
            QStringLiteral("Open Local"));
    }
};

QTEST_MAIN(TestPanelModel)
#include "tst_panelmodel.moc"
