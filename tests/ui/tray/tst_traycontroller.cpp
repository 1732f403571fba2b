// The tray controller on the platform doubles, offscreen and on a private session bus (so
// that the QSystemTrayIcon made for an XEmbed tray asks no real desktop anything).
#include "core/translations.h"
#include "platform/null/nullstatusnotifieritem.h"
#include "platform/null/nullurlopener.h"
#include "platform/null/nullwindowplacement.h"
#include "platform/null/nullxembedtray.h"
#include "ui/tray/detailswindow.h"
#include "ui/tray/metericonengine.h"
#include "ui/tray/panelmodel.h"
#include "ui/tray/panelwindow.h"
#include "ui/tray/traycontroller.h"
#include "ui/tray/traykind.h"

#include "monitorrig.h"
#include "widgets.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

Q_DECLARE_METATYPE(TrayKind::QtTray)

using namespace Qt::StringLiterals;

using namespace std::chrono_literals;
using Presence = TrayController::Presence;

namespace {

struct Trays {
    bool hosted = false;
    bool xembed = false;
    bool settled = true;
    std::chrono::milliseconds lossGrace = 0ms;
    // what the bars leave of the screen, where only their struts say it
    std::optional<QRect> usable;
    TrayKind::QtTray qtTray = TrayKind::QtTray::Undecided;
};

struct TrayRig : MonitorRig {
    NullUrlOpener opener;
    NullStatusNotifierItem *item = nullptr;
    NullXEmbedTray *xembed = nullptr;
    std::unique_ptr<TrayController> tray;
    PanelWindow *panelWindow = nullptr;

    explicit TrayRig(Trays trays)
        : MonitorRig({makeService("Alpha")})
    {
        auto madeItem = std::make_unique<NullStatusNotifierItem>();
        madeItem->setHosted(trays.hosted);
        madeItem->setSettled(trays.settled);
        auto madeXEmbed = std::make_unique<NullXEmbedTray>();
        madeXEmbed->setPresent(trays.xembed);
        item = madeItem.get();
        xembed = madeXEmbed.get();
        const QList<PanelWindow *> before = topLevels<PanelWindow>();
        auto placement = std::make_unique<NullWindowPlacement>();
        placement->setUsableArea(trays.usable);
        tray = std::make_unique<TrayController>(*monitor, opener,
                                                TrayController::Desktop{.item = std::move(madeItem),
                                                                        .xembed = std::move(madeXEmbed),
                                                                        .lossGrace = trays.lossGrace,
                                                                        .placement = std::move(placement),
                                                                        .qtTray = trays.qtTray});
        // the controller's panel is the window it made: the one that was not there before
        QList<PanelWindow *> made = topLevels<PanelWindow>();
        made.removeIf([&before](PanelWindow *window) { return before.contains(window); });
        if (made.size() != 1)
            qFatal("the controller made %lld panels, expected one", qlonglong(made.size()));
        panelWindow = made.first();
        // the controller looks at the trays once the caller has connected to it
        QCoreApplication::processEvents();
    }

    PanelWindow &panel() const { return *panelWindow; }
    bool isPopup() const { return panel().mode() == PanelWindow::Mode::Popup; }
};

// The menu's lines as shown, "-" for a separator.
QStringList menuLabels(const NullStatusNotifierItem &item)
{
    QStringList labels;
    for (const StatusNotifierItem::MenuEntry &entry : item.menu())
        labels.append(entry.separator ? u"-"_s : entry.label);
    return labels;
}

// A session's watcher whose host may come between two questions, as when a panel starts.
class AskedItem final : public StatusNotifierItem
{
public:
    explicit AskedItem(QList<bool> answers)
        : m_answers(std::move(answers))
    {
    }

    void setIcon(const QList<QImage> &) override { }
    void setTitle(const QString &) override { }
    void setToolTip(const QString &) override { }
    void setMenu(const QList<MenuEntry> &) override { }
    bool isHosted() const override { return false; }
    bool isSettled() const override { return true; }
    bool isHostAvailable() const override { return false; }
    bool askHostAvailable() override { return m_answers.isEmpty() ? false : m_answers.takeFirst(); }

private:
    QList<bool> m_answers;
};

QRect expectedPlace(const PanelWindow &panel, const QPoint &click)
{
    const QRect available = QGuiApplication::screenAt(click)->availableGeometry();
    return placePopover(panel.size(), QRect(click, QSize(1, 1)), available);
}

} // namespace

class TestTrayController : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // English's plural forms ("1 minute", "2 minutes") come from its translation, as in the
    // program; the locale stays the tests' C.
    void initTestCase() { QVERIFY(Translations::install({u"en"_s, QLocale::c()})); }

    void withoutTrayThePanelIsAWindowUntilOneComes()
    {
        // still looking for a tray at start: no window that would only flash
        TrayRig rig({.settled = false});
        QSignalSpy shown(rig.tray.get(), &TrayController::panelShown);
        QVERIFY(!rig.panel().isVisible());
        rig.item->setSettled(true);
        QTRY_VERIFY(rig.panel().isVisible());
        QCOMPARE(shown.size(), 1);
        QVERIFY(!(rig.panel().windowFlags() & Qt::FramelessWindowHint));
        rig.panel().close();
        QVERIFY(!rig.panel().isVisible());
        rig.tray->showPanel(); // a second start asks for this
        QVERIFY(rig.panel().isVisible());
        // without a tray a notification balloon has nowhere to go and is dropped
        rig.tray->notificationFallback()(u"t"_s, u"b"_s, QUrl(u"https://a.example"_s));
        QVERIFY(rig.opener.opened().isEmpty());

        // a tray that comes late takes the meter, and the window goes
        rig.item->setHosted(true);
        QCOMPARE(rig.tray->presence(), Presence::StatusNotifier);
        QVERIFY(!rig.panel().isVisible());
        QVERIFY(rig.panel().windowFlags() & Qt::FramelessWindowHint);
    }

    void everyTrayGoneForGoodBringsTheWindowBackUnshown_data()
    {
        QTest::addColumn<int>("graceMs");
        QTest::addColumn<bool>("window");
        QTest::newRow("restarting") << 3600 * 1000 << false;
        QTest::newRow("gone") << 0 << true;
    }

    void everyTrayGoneForGoodBringsTheWindowBackUnshown()
    {
        QFETCH(int, graceMs);
        QFETCH(bool, window);
        TrayRig rig({.hosted = true, .lossGrace = std::chrono::milliseconds(graceMs)});
        QVERIFY(rig.isPopup());
        rig.item->setHosted(false);
        QCOMPARE(rig.tray->presence(), Presence::None);
        QCoreApplication::processEvents();
        QTRY_COMPARE(!rig.isPopup(), window);
        QVERIFY(!rig.panel().isVisible());
        rig.item->setHosted(true);
        QVERIFY(rig.isPopup());
    }

    void hostedItemShowsTheMeterAndOpensThePanelAtTheClick()
    {
        TrayRig rig({.hosted = true});
        QSignalSpy settings(rig.tray.get(), &TrayController::settingsRequested);
        QSignalSpy quit(rig.tray.get(), &TrayController::quitRequested);
        QCOMPARE(rig.tray->presence(), Presence::StatusNotifier);
        QVERIFY(!rig.panel().isVisible());

        QVERIFY(rig.item->icon().size() > 1); // sizes for the host to choose from
        // what an XEmbed tray or a balloon asks of the icon at a ratio of 2
        QCOMPARE(QIcon(new MeterIconEngine(Indicator::None)).pixmap(QSize(22, 22), 2.0).size(), QSize(44, 44));
        rig.check.script(rig.monitor->services().first().id, {Indicator::Major});
        rig.refresh();
        QCOMPARE(rig.item->toolTip(), trayToolTip(Indicator::Major));

        // a left click toggles the panel, placed at the click
        const QPoint click(300, 10);
        rig.item->activate(click);
        QVERIFY(rig.panel().isVisible());
        QCOMPARE(rig.panel().geometry(), expectedPlace(rig.panel(), click));
        rig.item->activate(click);
        QVERIFY(!rig.panel().isVisible());
        // a host that cannot tell where: at the pointer
        rig.item->activate(std::nullopt);
        QCOMPARE(rig.panel().geometry(), expectedPlace(rig.panel(), QCursor::pos()));
        // a middle click only opens it
        rig.item->secondaryActivate(QPoint(200, 500));
        QVERIFY(rig.panel().isVisible());
        QCOMPARE(rig.panel().geometry(), expectedPlace(rig.panel(), QPoint(200, 500)));
        rig.panel().hide();

        const QStringList labels = menuLabels(*rig.item);
        QCOMPARE(labels.sliced(labels.size() - 6),
                 (QStringList{u"-"_s, u"Open Glinter"_s, u"Refresh Now"_s, u"-"_s, u"Settings\u2026"_s, u"Quit"_s}));
        rig.item->chooseMenuEntry(int(labels.indexOf(u"Open Glinter"_s)));
        QVERIFY(rig.panel().isVisible());
        rig.item->chooseMenuEntry(int(labels.indexOf(u"Refresh Now"_s)));
        QTRY_COMPARE(rig.check.callCount(rig.monitor->services().first().id), 2);
        rig.item->chooseMenuEntry(int(labels.indexOf(u"Settings\u2026"_s)));
        QCOMPARE(settings.size(), 1);
        rig.item->chooseMenuEntry(int(labels.indexOf(u"Quit"_s)));
        QCOMPARE(quit.size(), 1);
    }

    // A bar that no window manager announces (an Xfce panel on a bare X server) keeps the
    // panel off it all the same, by what its struts reserve.
    void thePanelKeepsOffABarOnlyItsStrutsAnnounce()
    {
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        TrayRig rig({.hosted = true, .usable = screen.adjusted(0, 27, 0, 0)});
        rig.item->activate(QPoint(screen.right() - 100, screen.top() + 13));
        QVERIFY(rig.panel().isVisible());
        QCOMPARE(rig.panel().geometry().top(), screen.top() + 27);
    }

    // The glance follows each refresh; a troubled service opens its details.
    void theMenuGlancesAtTheState()
    {
        TrayRig rig({.hosted = true});
        const Service alpha = rig.monitor->services().first();
        rig.check.script(alpha.id, {Indicator::Major});
        rig.monitor->requestRefresh();
        QTRY_COMPARE(menuLabels(*rig.item).value(0), summaryText(Indicator::Major, false));
        QCOMPARE(menuLabels(*rig.item).value(2), u"Alpha \u2014 Partial Outage"_s);
        QVERIFY(!rig.item->menu().value(1).enabled);
        QVERIFY(rig.item->menu().value(2).icon.startsWith("\x89PNG"));

        rig.item->activate(QPoint(300, 20));
        rig.panel().hide();
        rig.item->chooseMenuEntry(2);
        QVERIFY(rig.panel().isVisible());
        // opened from the menu: where the icon was last clicked
        QCOMPARE(rig.panel().geometry(), expectedPlace(rig.panel(), QPoint(300, 20)));
        QTRY_VERIFY(topLevel<DetailsWindow>() && topLevel<DetailsWindow>()->isVisible());
        rig.panel().hide();

        rig.check.script(alpha.id, {Indicator::None});
        rig.monitor->requestRefresh();
        QTRY_COMPARE(menuLabels(*rig.item).value(2), u"The 1 service is operational"_s);
    }

    // Qt's own tray icon only for XEmbed, and never beside a hosted item.
    void xembedTrayHoldsTheMeterWhileNoHostDoes()
    {
        TrayRig rig({.xembed = true});
        QCOMPARE(rig.tray->presence(), Presence::XEmbed);
        QVERIFY(rig.isPopup());
        QVERIFY(!rig.panel().isVisible());
        rig.item->setHosted(true);
        QCOMPARE(rig.tray->presence(), Presence::StatusNotifier);
        rig.item->setHosted(false);
        QCOMPARE(rig.tray->presence(), Presence::XEmbed);
        rig.xembed->setPresent(false);
        QCOMPARE(rig.tray->presence(), Presence::None);

        // an XEmbed tray that comes late takes the meter from the window
        TrayRig late({});
        // late in its own process: Qt has not chosen yet
        QTRY_VERIFY(late.panel().isVisible());
        late.xembed->setPresent(true);
        QCOMPARE(late.tray->presence(), Presence::XEmbed);
        QVERIFY(!late.panel().isVisible());
        QVERIFY(late.isPopup());
    }

    // Qt's icon is made only while the watcher has no host, asked just before and just after
    // Qt asks; once Qt may have taken the host's side, never again.
    void qtIconOnlyWhereQtChoseXEmbed_data()
    {
        QTest::addColumn<TrayKind::QtTray>("before");
        QTest::addColumn<QList<bool>>("hostAnswers");
        QTest::addColumn<bool>("made");
        QTest::addColumn<TrayKind::QtTray>("after");
        using QtTray = TrayKind::QtTray;
        QTest::newRow("no host either time")
            << QtTray::Undecided << QList<bool>{false, false} << true << QtTray::XEmbed;
        QTest::newRow("a host before") << QtTray::Undecided << QList<bool>{true} << false << QtTray::Undecided;
        QTest::newRow("a host just after") << QtTray::Undecided << QList<bool>{false, true} << false << QtTray::Unsafe;
        QTest::newRow("Qt on XEmbed for good") << QtTray::XEmbed << QList<bool>{true, true} << true << QtTray::XEmbed;
        QTest::newRow("Qt's choice unknown") << QtTray::Unsafe << QList<bool>{false, false} << false << QtTray::Unsafe;
    }

    void qtIconOnlyWhereQtChoseXEmbed()
    {
        QFETCH(TrayKind::QtTray, before);
        QFETCH(QList<bool>, hostAnswers);
        QFETCH(bool, made);
        QFETCH(TrayKind::QtTray, after);
        AskedItem item(hostAnswers);
        TrayKind kind(before);
        const std::unique_ptr<QSystemTrayIcon> icon = kind.makeQtIcon(item);
        QCOMPARE(bool(icon), made);
        QCOMPARE(kind.qtTray(), after);
    }

    // With Qt's choice unknown, an XEmbed tray alone gets the window rather than an icon that
    // might be a second item.
    void anUnknownQtChoiceLeavesTheWindowBesideAnXEmbedTray()
    {
        TrayRig rig({.xembed = true, .qtTray = TrayKind::QtTray::Unsafe});
        QCOMPARE(rig.tray->presence(), Presence::None);
        QTRY_VERIFY(rig.panel().isVisible());
        QVERIFY(!rig.isPopup());
    }
};

QTEST_MAIN(TestTrayController)
#include "tst_traycontroller.moc"
