#include "ui/tray/panelwindow.h"

#include "monitor/statusmonitor.h"
#include "platform/null/nullurlopener.h"
#include "ui/tray/panelbuttons.h"
#include "ui/tray/servicerow.h"

#include "monitorrig.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList rowNames(const PanelWindow &panel)
{
    QStringList names;
    for (const ServiceRow *row : panel.rows())
        names.append(row->content().name);
    return names;
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
        const QList<ServiceRow *> before = rig.panel->rows();

        rig.check.script(rig.services[2].id, {Indicator::Minor});
        rig.check.script(rig.services[3].id, {Indicator::Critical});
        rig.refresh();
        QTRY_COMPARE(rowNames(*rig.panel), words("Delta Gamma Alpha Beta"));
        QCOMPARE(rig.panel->rows()[0]->accessibleName(), QStringLiteral("Delta, Major Outage, updated now"));
        QCOMPARE(rig.panel->rows()[0]->accessibleDescription(), QStringLiteral("Opens the status page"));

        // the same widgets, refilled in place: the order screen readers and Tab walk (that
        // of the widgets) is the order shown
        QCOMPARE(rig.panel->rows(), before);
        QCOMPARE(rig.panel->findChildren<ServiceRow *>(), before);

        // rows keep the list's full width through publishes and reopening
        rig.refresh();
        rig.panel->hide();
        rig.open();
        QCOMPARE(rig.panel->rows()[0]->width(), 360 - 2 * 6);

        // a service that leaves and one that comes reuse the row, they are not rebuilt
        rig.monitor->remove(rig.services[0]);
        rig.monitor->add(makeService("Epsilon"));
        QTRY_COMPARE(rig.panel->rows().size(), 4);
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
        QCOMPARE(rig.panel->updatedText(), QStringLiteral("Updated now"));
        rig.panel->hide();

        // nothing is redrawn while hidden ...
        rig.check.script(rig.services[0].id, {Indicator::Major});
        rig.refresh();
        clock = *rig.monitor->lastUpdated();
        QCoreApplication::processEvents();
        QCOMPARE(rig.panel->summaryText(), QStringLiteral("All Systems Operational"));

        // ... and everything is, with the time of the showing, when it opens again
        clock = clock.addSecs(10 * 60);
        rig.open();
        QCOMPARE(rig.panel->summaryText(), QStringLiteral("Partial Service Outage"));
        QCOMPARE(rig.panel->updatedText(), QStringLiteral("Updated 10 minutes ago"));
    }

    void keyboard()
    {
        Rig rig({makeService("Alpha")});
        rig.check.setDelay(std::chrono::milliseconds(200));
        QSignalSpy settings(rig.panel.get(), &PanelWindow::settingsRequested);
        QSignalSpy quit(rig.panel.get(), &PanelWindow::quitRequested);
        rig.open();

        QTest::keyClick(rig.panel.get(), Qt::Key_R, Qt::ControlModifier);
        QTRY_VERIFY(rig.panel->refreshButton()->isRefreshing());
        QVERIFY(rig.panel->refreshButton()->isSpinning());
        QCOMPARE(rig.panel->refreshButton()->accessibleName(), QStringLiteral("Refresh now"));
        QTRY_VERIFY(!rig.panel->refreshButton()->isRefreshing());
        QVERIFY(!rig.panel->refreshButton()->isSpinning());
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

    void popupHidesWhenAnotherWindowTakesTheFocus()
    {
        Rig rig({makeService("Alpha")});
        rig.open();
        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_VERIFY(!rig.panel->isVisible());
    }

    void rowsOpenWebPagesOnly()
    {
        Rig rig({makeService("Alpha", "https://status.alpha.example/"), makeService("Beta", "file:///etc/passwd")});
        rig.open();
        ServiceRow *alpha = rig.panel->rows()[0];
        ServiceRow *beta = rig.panel->rows()[1];
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
};

QTEST_MAIN(TestPanelWindow)
#include "tst_panelwindow.moc"
