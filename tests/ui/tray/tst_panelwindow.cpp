#include "monitor/statusmonitor.h"
#include "platform/null/nullurlopener.h"
#include "ui/tray/detailswindow.h"
#include "ui/tray/onboardingwindow.h"
#include "ui/tray/panelbuttons.h"
#include "ui/tray/panelwindow.h"
#include "ui/tray/servicerow.h"

#include "monitorrig.h"
#include "widgets.h"

#include <QAccessible>
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// What the feeds tell besides the state, per service.
struct Story {
    QList<Incident> incidents;
    QList<Maintenance> maintenances;
};
using Stories = QHash<QUuid, Story>;

QCoro::Task<ServiceStatusResult> toldCheck(StatusMonitor::Check plain, std::shared_ptr<Stories> stories,
                                           Service service)
{
    const QUuid id = service.id;
    QCoro::Task<ServiceStatusResult> checking = plain(std::move(service));
    ServiceStatusResult result = co_await checking;
    result.incidents = stories->value(id).incidents;
    result.maintenances = stories->value(id).maintenances;
    co_return result;
}

Incident incident(const char *title, const char *url)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return Incident{QString::fromUtf8(title),       u"identified"_s,   Indicator::Major,
                    now.addSecs(qint64(-2) * 3600), now.addSecs(-600), u"We found the cause."_s,
                    QUrl(QString::fromUtf8(url))};
}

// The names a screen reader finds in a window, in its order, leaving out what is hidden.
QStringList readOut(QWidget &window)
{
    QStringList names;
    const std::function<void(QAccessibleInterface *)> walk = [&](QAccessibleInterface *node) {
        if (!node || node->state().invisible)
            return;
        if (node->object() != &window && !node->text(QAccessible::Name).isEmpty())
            names.append(node->text(QAccessible::Name));
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(&window));
    return names;
}

// The rows in the order shown (that of the widgets, which are refilled in place).
QList<ServiceRow *> rows(const PanelWindow &panel)
{
    return shownChildren<ServiceRow>(panel);
}

// The services' names, as the rows begin what a screen reader reads.
QStringList rowNames(const PanelWindow &panel)
{
    QStringList names;
    for (const ServiceRow *row : rows(panel))
        names.append(row->accessibleName().section(u", "_s, 0, 0));
    return names;
}

// The names of the accessible elements of `role` under `node`.
QStringList namesOf(QAccessibleInterface *node, QAccessible::Role role)
{
    QStringList found;
    if (node->role() == role)
        found.append(node->text(QAccessible::Name));
    for (int i = 0; i < node->childCount(); ++i)
        found += namesOf(node->child(i), role);
    return found;
}

} // namespace

// The monitor's rig whose checks also tell incidents and maintenance, with a panel.
struct Rig : MonitorRig {
    std::shared_ptr<Stories> stories = std::make_shared<Stories>();
    NullUrlOpener opener;
    QList<Service> services;
    std::unique_ptr<PanelWindow> panel;

    explicit Rig(const QList<Service> &list)
        : MonitorRig(list, {.history = true})
        , services(list)
    {
        start(monitor->store());
    }

    // As the next run of the program: the monitor reads its files again, the panel is new.
    void restart()
    {
        const ServiceStore store = monitor->store();
        panel.reset();
        monitor.reset();
        history = std::make_unique<StatusHistory>(history->filePath());
        uptime = std::make_unique<UptimeRecord>(uptime->filePath());
        start(store);
    }

    void start(const ServiceStore &store)
    {
        StatusMonitor::Setup setup(store);
        setup.history = history.get();
        setup.uptime = uptime.get();
        setup.watchFile = false;
        setup.autoRefresh = false;
        setup.check = [plain = check.function(), told = stories](Service service) {
            return toldCheck(plain, told, std::move(service));
        };
        monitor = std::make_unique<StatusMonitor>(std::move(setup));
        panel = std::make_unique<PanelWindow>(*monitor, opener, PanelWindow::Mode::Popup);
    }

    void open()
    {
        panel->popUp(QRect(100, 0, 24, 24));
        QVERIFY(QTest::qWaitForWindowActive(panel.get()));
    }

    DetailsButton *detailsButton(const QString &name) const
    {
        return child<DetailsButton>(*panel, "detailsButton", "accessibleName", QVariant(u"Details for "_s + name));
    }

    // (Wait for it with QApplication::activeWindow(): a window opened from another counts as
    // active with it, so qWaitForWindowActive would not wait.)
    DetailsWindow *details() const { return child<DetailsWindow>(*panel, "details"); }
};

// The panel, the details it opens and the first-run window, as a user and a screen reader
// meet them.
class TestPanelWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row with something to tell has a control named after its service, right after
    // the row for Tab; Return and Space open the details, Escape closes them and gives the
    // keyboard back to the control.
    void controlFollowsItsRow()
    {
        Rig rig({makeService("GitHub"), makeService("Dark")});
        rig.check.script(rig.services[1].id, {Indicator::Unknown});
        rig.open();
        QVERIFY(rig.detailsButton(u"GitHub"_s)->isHidden()); // nothing checked, no history

        rig.refresh();
        QTRY_VERIFY(!rig.detailsButton(u"GitHub"_s)->isHidden());
        // an unreadable result is neither history nor story
        QVERIFY(rig.detailsButton(u"Dark"_s)->isHidden());

        DetailsButton *control = rig.detailsButton(u"GitHub"_s);
        ServiceRow *row = shownChildren<ServiceRow>(*rig.panel).first();
        row->setFocus();
        QTest::keyClick(row, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), control);

        QTest::keyClick(control, Qt::Key_Return);
        QTRY_COMPARE(QApplication::activeWindow(), rig.details());
        QVERIFY(rig.panel->isVisible());
        QCOMPARE(rig.details()->accessibleName(), u"Details for GitHub"_s);

        QTest::keyClick(rig.details(), Qt::Key_Escape);
        QVERIFY(!rig.details()->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), rig.panel.get());
        QCOMPARE(QApplication::focusWidget(), control);

        QTest::keyClick(control, Qt::Key_Space);
        QTRY_COMPARE(QApplication::activeWindow(), rig.details());
        rig.panel->hide();
        QVERIFY(!rig.details()->isVisible());
    }

    // A service checked in the past week shows its week after a restart, before this run
    // checked anything and whatever the sparkline's samples hold; one never read has none.
    void detailsFollowTheRecordAcrossARestart()
    {
        Rig rig({makeService("GitHub"), makeService("Dark")});
        const QUuid id = rig.services[0].id;
        const QDateTime now = QDateTime::currentDateTimeUtc();
        UptimeRecord earlier(rig.uptime->filePath());
        for (int hours = 6 * 24; hours >= 1; hours -= 6)
            earlier.add(id, Indicator::None, now.addSecs(qint64(-hours) * 3600));
        QVERIFY(!earlier.save());

        rig.restart();
        rig.open();
        QVERIFY(rig.monitor->history(rig.services[0]).isEmpty());
        QVERIFY(!rig.detailsButton(u"GitHub"_s)->isHidden());
        QVERIFY(rig.detailsButton(u"Dark"_s)->isHidden());
        rig.detailsButton(u"GitHub"_s)->click();
        QTRY_COMPARE(QApplication::activeWindow(), rig.details());
        QVERIFY(readOut(*rig.details()).contains(u"100.0 % operational over 6 days"_s));
    }

    // The details read out every incident, the maintenance and the week (their wording is
    // the model's), follow the monitor in place while open, and open web pages only.
    void detailsTellTheStory()
    {
        Rig rig({makeService("GitHub")});
        const QUuid id = rig.services[0].id;
        (*rig.stories)[id].incidents = {incident("Git pushes fail", "https://www.githubstatus.com/incidents/1"),
                                        incident("Actions are slow", "file:///etc/passwd"),
                                        incident("Script", "javascript:alert(1)")};
        (*rig.stories)[id].maintenances = {
            Maintenance{u"Database upgrade"_s, Maintenance::Status::InProgress, QDateTime(), QDateTime(), QUrl()}};
        rig.check.script(id, {Indicator::None, Indicator::None, Indicator::Minor});
        rig.refresh();
        rig.refresh();
        rig.refresh();
        rig.open();
        rig.detailsButton(u"GitHub"_s)->click();
        QTRY_COMPARE(QApplication::activeWindow(), rig.details());

        const QStringList heard = readOut(*rig.details());
        for (const QString &expected :
             {u"Git pushes fail"_s, u"We found the cause."_s, u"Updated 10 minutes ago"_s, u"Actions are slow"_s,
              u"Maintenance"_s, u"Database upgrade"_s, u"66.7 % operational over 1 minute"_s})
            QVERIFY2(heard.contains(expected), qPrintable(expected + u" not in "_s + heard.join(u" | "_s)));
        verifyNoMarkupRendered(*rig.details());

        // no button is offered for what is not a web page, and none would open it
        const QList<QPushButton *> open = rig.details()->findChildren<QPushButton *>(u"openIncident"_s);
        QCOMPARE(shownChildren<QPushButton>(*rig.details(), "openIncident"), open.mid(0, 1));
        QCOMPARE(open[0]->accessibleDescription(), u"Opens the page of \u201cGit pushes fail\u201d"_s);
        for (QPushButton *button : open)
            button->click();
        QCOMPARE(rig.opener.opened(), QList<QUrl>{QUrl(u"https://www.githubstatus.com/incidents/1"_s)});

        // two incidents resolved, the maintenance over: the same widgets, the unused hidden
        const QList<QWidget *> views = rig.details()->findChildren<QWidget *>(u"incident"_s);
        (*rig.stories)[id].incidents.removeFirst();
        (*rig.stories)[id].incidents.removeLast();
        (*rig.stories)[id].maintenances.clear();
        rig.refresh();
        QTRY_VERIFY(!readOut(*rig.details()).contains(u"Git pushes fail"_s));
        QCOMPARE(rig.details()->findChildren<QWidget *>(u"incident"_s), views);
        QCOMPARE(shownChildren<QWidget>(*rig.details(), "incident").size(), 1);
        QVERIFY(!readOut(*rig.details()).contains(u"Maintenance"_s));
        QVERIFY(readOut(*rig.details()).contains(u"50.0 % operational over 1 minute"_s));
    }

    void listsTroubledServicesFirstAndUpdatesRowsInPlace()
    {
        Rig rig({makeService("Alpha"), makeService("Beta"), makeService("Gamma"), makeService("Delta")});
        rig.open();
        QCOMPARE(rowNames(*rig.panel), words("Alpha Beta Gamma Delta"));
        const QList<ServiceRow *> before = rows(*rig.panel);

        rig.check.script(rig.services[2].id, {Indicator::Minor});
        rig.check.script(rig.services[3].id, {Indicator::Critical});
        rig.refresh();
        QTRY_COMPARE(rowNames(*rig.panel), words("Delta Gamma Alpha Beta"));
        verifyNoMarkupRendered(*rig.panel);
        // the troubled apart from the rest, by a rule between them
        const QWidget *divider = rig.panel->findChild<QWidget *>(u"divider"_s);
        QVERIFY(divider && divider->isVisible());
        const QList<ServiceRow *> shown = rows(*rig.panel);
        QTRY_VERIFY(divider->geometry().top() >= shown[1]->parentWidget()->geometry().bottom()
                    && divider->geometry().bottom() <= shown[2]->parentWidget()->geometry().top());

        // the same widgets, refilled in place: the order screen readers and Tab walk (that
        // of the widgets) is the order shown
        QCOMPARE(rows(*rig.panel), before);
        QCOMPARE(rig.panel->findChildren<ServiceRow *>(), before);

        // rows and their details controls keep the list's full width through publishes and
        // reopening
        rig.refresh();
        rig.panel->hide();
        rig.open();
        QCOMPARE(rows(*rig.panel)[0]->parentWidget()->width(), 360 - 2 * 6);

        // a service that leaves and one that comes reuse the row, they are not rebuilt
        rig.monitor->remove(rig.services[0]);
        rig.monitor->add(makeService("Epsilon"));
        QTRY_COMPARE(rows(*rig.panel).size(), 4);
        QTRY_VERIFY(rowNames(*rig.panel).contains(QStringLiteral("Epsilon")));
        QCOMPARE(rig.panel->findChildren<ServiceRow *>().size(), 4);
    }

    void hiddenPanelCatchesUpWhenShown()
    {
        Rig rig({makeService("Alpha")});
        // the header's two lines, as a screen reader hears them
        const auto header = [&rig] { return child<QWidget>(*rig.panel, "header")->accessibleName(); };
        QDateTime clock = QDateTime::currentDateTimeUtc();
        rig.panel->setClock([&clock] { return clock; });
        rig.refresh();
        clock = *rig.monitor->lastUpdated();
        rig.open();
        QCOMPARE(header(), u"All Systems Operational, Updated now"_s);
        rig.panel->hide();

        // nothing is redrawn while hidden ...
        rig.check.script(rig.services[0].id, {Indicator::Major});
        rig.refresh();
        clock = *rig.monitor->lastUpdated();
        QCoreApplication::processEvents();
        QCOMPARE(header(), u"All Systems Operational, Updated now"_s);

        // ... and everything is, with the time of the showing, when it opens again
        clock = clock.addSecs(qint64(10) * 60);
        rig.open();
        QCOMPARE(header(), u"Partial Service Outage, Updated 10 minutes ago"_s);

        // while it stays open the ages go on, and only then
        auto *ticker = child<QTimer>(*rig.panel, "ageTicker");
        QVERIFY(ticker->isActive());
        clock = clock.addSecs(qint64(10) * 60);
        ticker->start(1);
        QTRY_COMPARE(header(), u"Partial Service Outage, Updated 20 minutes ago"_s);
        rig.panel->hide();
        QVERIFY(!ticker->isActive());
    }

    void keyboard()
    {
        Rig rig({makeService("Alpha")});
        rig.check.setDelay(std::chrono::milliseconds(200));
        QSignalSpy settings(rig.panel.get(), &PanelWindow::settingsRequested);
        QSignalSpy quit(rig.panel.get(), &PanelWindow::quitRequested);
        rig.open();

        auto *refresh = child<RefreshButton>(*rig.panel, "refresh");
        auto *spinner = child<QTimer>(*refresh, "spinner");
        QTest::keyClick(rig.panel.get(), Qt::Key_R, Qt::ControlModifier);
        QTRY_COMPARE(refresh->accessibleDescription(), u"Refreshing"_s);
        QVERIFY(spinner->isActive());
        QTRY_COMPARE(refresh->accessibleDescription(), QString());
        QVERIFY(!spinner->isActive());
        QCOMPARE(rig.check.callCount(rig.services[0].id), 1);

        QTest::keyClick(rig.panel.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(quit.size(), 1);

        QTest::keyClick(rig.panel.get(), Qt::Key_Comma, Qt::ControlModifier);
        QCOMPARE(settings.size(), 1);
        QVERIFY(!rig.panel->isVisible()); // the settings window takes over

        rig.open();
        QTest::keyClick(rig.panel.get(), Qt::Key_Escape);
        QVERIFY(!rig.panel->isVisible());
    }

    void rowsOpenWebPagesOnly()
    {
        Rig rig({makeService("Alpha", "https://status.alpha.example/")});
        // services.json cannot hold it; only a list made in memory can
        rig.monitor->add(makeService("Beta", "file:///etc/passwd"));
        rig.open();
        ServiceRow *alpha = rows(*rig.panel)[0];
        ServiceRow *beta = rows(*rig.panel)[1];
        alpha->setFocus();
        QTest::keyClick(alpha, Qt::Key_Return);
        QTest::mouseClick(beta, Qt::LeftButton);
        beta->setFocus();
        QTest::keyClick(beta, Qt::Key_Enter);
        QCOMPARE(rig.opener.opened(), (QList<QUrl>{QUrl(QStringLiteral("https://status.alpha.example/"))}));
        QTest::mouseClick(alpha, Qt::LeftButton);
        QCOMPARE(rig.opener.opened().size(), 2);
    }

    // Removing the last service leaves an empty list, not a panel that keeps "checking": it
    // says nothing is watched and leads to the settings, until a service comes back.
    void emptyListLeadsToSettings()
    {
        Rig rig({makeService("Alpha")});
        QSignalSpy settings(rig.panel.get(), &PanelWindow::settingsRequested);
        rig.open();
        auto *empty = child<QWidget>(*rig.panel, "noServices");
        QVERIFY(!empty->isVisibleTo(rig.panel.get()));

        rig.monitor->remove(rig.services[0]);
        QTRY_VERIFY(empty->isVisibleTo(rig.panel.get()));
        QVERIFY(rows(*rig.panel).isEmpty());
        const QStringList heard = readOut(*rig.panel);
        QVERIFY2(heard.contains(u"No services are watched."_s) && !heard.join(u' ').contains(u"Checking"_s),
                 qPrintable(heard.join(u" | "_s)));
        auto *choose = child<QPushButton>(*empty, "chooseServices");
        QVERIFY(heard.contains(choose->text()));
        choose->setFocus();
        QTest::keyClick(choose, Qt::Key_Space);
        QCOMPARE(settings.size(), 1);
        QVERIFY(!rig.panel->isVisible()); // the settings window takes over

        rig.monitor->add(makeService("Beta"));
        rig.open();
        QVERIFY(!empty->isVisibleTo(rig.panel.get()));
        QCOMPARE(rowNames(*rig.panel), words("Beta"));
    }

    void listIsCappedAndScrolls()
    {
        QList<Service> many;
        for (int i = 0; i < 40; ++i)
            many.append(makeService(QStringLiteral("Service%1").arg(i)));
        Rig rig(many);
        rig.open();
        const int capped = rig.panel->height();
        QCOMPARE(rig.panel->width(), 360);
        QVERIFY2(capped < 480 + 200, qPrintable(QString::number(capped)));

        // removing rows shrinks the panel again
        QSet<QUuid> all;
        for (qsizetype i = 2; i < 40; ++i)
            all.insert(rig.monitor->services().at(i).id);
        rig.monitor->remove(all);
        QTRY_VERIFY2(rig.panel->height() < capped - 200,
                     qPrintable(QStringLiteral("%1 then %2").arg(capped).arg(rig.panel->height())));
    }

    // The first-run window as a screen reader meets it: every line and button one named element.
    void everyLineIsNamedOnceAndFits()
    {
        OnboardingWindow window;
        window.showCentred();
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&window);
        QCOMPARE(root->text(QAccessible::Name), u"Welcome to Glinter"_s);
        QCOMPARE(namesOf(root, QAccessible::Button), (QStringList{u"Not Now"_s, u"Choose Services"_s}));
        QCOMPARE(namesOf(root, QAccessible::StaticText).count(u"Outage — a service is down."_s), 1);

        // fixed to its content, no legend line cut off
        QCOMPARE(window.minimumSize(), window.maximumSize());
        const QList<MeterLegendRow *> legend = window.findChildren<MeterLegendRow *>();
        QVERIFY(!legend.isEmpty());
        for (const MeterLegendRow *row : legend)
            QVERIFY(row->sizeHint().width() <= row->width());
    }
};

QTEST_MAIN(TestPanelWindow)
#include "tst_panelwindow.moc"
