#include "monitor/statusmonitor.h"
#include "platform/null/nullurlopener.h"
#include "ui/tray/onboardingwindow.h"
#include "ui/tray/panelbuttons.h"
#include "ui/tray/panelwindow.h"
#include "ui/tray/servicerow.h"

#include "monitorrig.h"
#include "widgets.h"

#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

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

// The header's two lines, as a screen reader hears them.
QString header(const PanelWindow &panel)
{
    return child<QWidget>(panel, "header")->accessibleName();
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

struct Rig : MonitorRig {
    NullUrlOpener opener;
    QList<Service> services;
    std::unique_ptr<PanelWindow> panel;

    explicit Rig(const QList<Service> &list, PanelWindow::Mode mode = PanelWindow::Mode::Popup)
        : MonitorRig(list, {.history = true})
        , services(list)
    {
        panel = std::make_unique<PanelWindow>(*monitor, opener, mode);
    }

    void open()
    {
        panel->popUp(QRect(100, 0, 24, 24));
        QVERIFY(QTest::qWaitForWindowActive(panel.get()));
    }
};

class TestPanelWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        QDateTime clock = QDateTime::currentDateTimeUtc();
        rig.panel->setClock([&clock] { return clock; });
        rig.refresh();
        clock = *rig.monitor->lastUpdated();
        rig.open();
        QCOMPARE(header(*rig.panel), u"All Systems Operational, Updated now"_s);
        rig.panel->hide();

        // nothing is redrawn while hidden ...
        rig.check.script(rig.services[0].id, {Indicator::Major});
        rig.refresh();
        clock = *rig.monitor->lastUpdated();
        QCoreApplication::processEvents();
        QCOMPARE(header(*rig.panel), u"All Systems Operational, Updated now"_s);

        // ... and everything is, with the time of the showing, when it opens again
        clock = clock.addSecs(10 * 60);
        rig.open();
        QCOMPARE(header(*rig.panel), u"Partial Service Outage, Updated 10 minutes ago"_s);
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
        Rig rig({makeService("Alpha", "https://status.alpha.example/"), makeService("Beta", "file:///etc/passwd")});
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
