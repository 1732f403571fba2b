#include "ui/tray/traycontroller.h"

#include "core/webaddress.h"
#include "monitor/statusmonitor.h"
#include "platform/statusnotifieritem.h"
#include "platform/urlopener.h"
#include "platform/windowplacement.h"
#include "platform/xembedtray.h"
#include "providers/providertable.h"
#include "ui/common/renderers.h"
#include "ui/common/statepalette.h"
#include "ui/tray/metericonengine.h"
#include "ui/tray/panelmodel.h"
#include "ui/tray/panelwindow.h"
#include "ui/tray/traymenu.h"

#include <QApplication>
#include <QBuffer>
#include <QCursor>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>

namespace {

// The sizes offered to StatusNotifierItem trays, which pick the one nearest their panel.
constexpr int iconSides[] = {16, 22, 24, 32, 48};

// Qt chooses between its own D-Bus tray and XEmbed once per process, the first time a
// QSystemTrayIcon is made or isSystemTrayAvailable() is asked: QGenericUnixTheme then asks
// the StatusNotifierWatcher whether a host is registered and keeps the answer for good. A
// QSystemTrayIcon made while a host is there would be a second StatusNotifierItem beside
// ours, and so would every later one. So this controller never calls
// isSystemTrayAvailable(), and makes the first QSystemTrayIcon only after asking the
// watcher itself, just before and just after Qt does. No host before and none after means
// none when Qt asked (a host does not come and go within a round trip): Qt is on XEmbed for
// good, and later icons are safe. A host after leaves Qt's choice unknown: that icon is
// thrown away unshown and no other is ever made, our item (about to be hosted) carries the
// meter, and should only an XEmbed tray remain one day, the window stands in. What this
// relies on, by the order in which trays appear:
// - an XEmbed tray alone, or before any host: Qt on XEmbed; a host that comes later takes
//   the meter from it through our item;
// - a host first: our item only, Qt is never asked;
// - both at once (a panel such as Xfce's that offers both): the host is seen before Qt is
//   asked, or at the latest just after, and our item takes the meter either way.
enum class QtTrayKind { Undecided, XEmbed, Unsafe };
QtTrayKind qtTrayKind = QtTrayKind::Undecided;

// Trays give click positions in device pixels; Qt's high-DPI scaling keeps each screen's
// top-left corner and divides the rest.
std::optional<QPoint> logicalPoint(std::optional<QPoint> device)
{
    if (!device)
        return std::nullopt;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect logical = screen->geometry();
        const qreal ratio = screen->devicePixelRatio();
        if (QRect(logical.topLeft(), logical.size() * ratio).contains(*device))
            return logical.topLeft() + (*device - logical.topLeft()) / ratio;
    }
    return device;
}

QRect pointAnchor(std::optional<QPoint> device)
{
    return QRect(logicalPoint(device).value_or(QCursor::pos()), QSize(1, 1));
}

// A menu line's state symbol, as trays take it (PNG). The tray draws the menu in its own
// colours, which need not be ours (GNOME's is dark under a light application): every
// symbol takes the colours that read on black and on white, a neutral one the grey.
QByteArray menuIcon(const TrayMenuLine &line)
{
    if (!line.glyph)
        return {};
    const QColor colour = stateColorOnAny(line.neutralGlyph ? Indicator::Unknown : line.indicator);
    const QImage image = renderGlyph(*line.glyph, colour, 16, 1);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace

TrayController::TrayController(StatusMonitor &monitor, UrlOpener &opener, QObject *parent)
    : TrayController(monitor, opener, Desktop{}, parent)
{
}

TrayController::TrayController(StatusMonitor &monitor, UrlOpener &opener, Desktop desktop, QObject *parent)
    : QObject(parent)
    , m_monitor(monitor)
    , m_opener(opener)
    , m_item(desktop.item ? std::move(desktop.item) : makeStatusNotifierItem())
    , m_xembed(desktop.xembed ? std::move(desktop.xembed) : makeXEmbedTray())
    , m_placement(desktop.placement ? std::move(desktop.placement) : makeWindowPlacement(QString()))
{
    // the program lives in the tray (or, without one, goes on running when its window closes)
    QApplication::setQuitOnLastWindowClosed(false);

    m_panel = std::make_unique<PanelWindow>(monitor, opener, PanelWindow::Mode::Window);
    connect(m_panel.get(), &PanelWindow::settingsRequested, this, &TrayController::settingsRequested);
    connect(m_panel.get(), &PanelWindow::quitRequested, this, &TrayController::quitRequested);
    connect(m_panel.get(), &PanelWindow::shown, this, &TrayController::panelShown);
    // off the bars that no window manager announces (an Xfce panel on a bare X server)
    m_panel->setAvailableArea([this](const QScreen &screen) {
        return m_placement->usableArea(screen.geometry()).value_or(screen.availableGeometry());
    });

    // trays that deliver no left click still reach everything through the menu
    m_fixedEntries = {
        {tr("Open Glinter"), [this] { showPanel(); }},
        {tr("Refresh Now"), [this] { m_monitor.requestRefresh(); }},
        {},
        {tr("Settings\u2026"), [this] { Q_EMIT settingsRequested(); }},
        {tr("Quit"), [this] { Q_EMIT quitRequested(); }},
    };
    m_menu = std::make_unique<QMenu>();
    connect(m_menu.get(), &QMenu::aboutToShow, this, &TrayController::fillQtMenu);
    fillQtMenu();

    m_item->setTitle(tr("Glinter"));
    updateItemMenu();
    connect(m_item.get(), &StatusNotifierItem::activated, this, [this](std::optional<QPoint> at) {
        m_lastClick = at;
        togglePanelAt(pointAnchor(at));
    });
    connect(m_item.get(), &StatusNotifierItem::secondaryActivated, this, [this](std::optional<QPoint> at) {
        m_lastClick = at;
        showPanelAt(pointAnchor(at));
    });
    connect(m_item.get(), &StatusNotifierItem::contextMenuRequested, this, [this](std::optional<QPoint> at) {
        m_lastClick = at;
        m_menu->popup(pointAnchor(at).topLeft());
    });
    connect(m_item.get(), &StatusNotifierItem::menuTriggered, this, [this](int index) {
        if (index >= 0 && index < m_itemEntries.size() && m_itemEntries.at(index).run)
            m_itemEntries.at(index).run();
    });
    connect(m_item.get(), &StatusNotifierItem::menuAboutToShow, this, &TrayController::updateItemMenu);
    connect(m_item.get(), &StatusNotifierItem::hostedChanged, this, &TrayController::follow);
    connect(m_item.get(), &StatusNotifierItem::settled, this, &TrayController::follow);
    connect(m_xembed.get(), &XEmbedTray::presentChanged, this, &TrayController::follow);

    m_lossTimer.setSingleShot(true);
    m_lossTimer.setInterval(desktop.lossGrace);
    connect(&m_lossTimer, &QTimer::timeout, this, [this] {
        if (presence() == Presence::None)
            m_panel->setMode(PanelWindow::Mode::Window);
    });

    if (m_placement->isAvailable()) {
        m_panel->setPlacedByOwner(
            [this](QWidget &window, const QPoint &topLeft) { m_placement->moveTo(placementTarget(window), topLeft); });
        // a list that grows while the panel is open (the first check ending) resizes it, and
        // sway centres an X11 window that resizes itself
        connect(m_panel.get(), &Popover::resizedWhileOpen, this, [this] {
            if (m_panel->mode() == PanelWindow::Mode::Popup)
                m_placement->keepPlaced(placementTarget(*m_panel));
        });
        connect(m_placement.get(), &WindowPlacement::placed, this, [this](const QString &title, const QPoint &at) {
            if (title != m_panel->windowTitle())
                return;
            // Qt cannot learn where the compositor put it: the details open against its rows
            m_panelPlacedAt = at;
            m_panel->setPlacedAt(at);
            if (const std::optional<QUuid> details = std::exchange(m_detailsWhenPlaced, std::nullopt))
                m_panel->showDetails(*details);
        });
    }

    connect(&m_monitor, &StatusMonitor::resultsChanged, this, &TrayController::updateIcon);
    connect(&m_monitor, &StatusMonitor::servicesChanged, this, &TrayController::updateIcon);
    // the glance follows every refresh, whether or not the meter changes
    connect(&m_monitor, &StatusMonitor::resultsChanged, this, &TrayController::updateItemMenu);
    connect(&m_monitor, &StatusMonitor::servicesChanged, this, &TrayController::updateItemMenu);
    connect(&m_monitor, &StatusMonitor::isOfflineChanged, this, &TrayController::updateItemMenu);
    updateIcon();
    // after the caller has connected to panelShown
    QMetaObject::invokeMethod(this, &TrayController::follow, Qt::QueuedConnection);
}

TrayController::~TrayController()
{
    // the icon refers to the menu: it goes first
    delete m_qtTray;
    m_item.reset();
}

QList<TrayController::MenuEntry> TrayController::menuEntries(QList<StatusNotifierItem::MenuEntry> *itemMenu)
{
    const QList<TrayMenuLine> glance = TrayMenu::glance({
        .services = m_monitor.services(),
        .results = m_monitor.results(),
        .aggregate = m_monitor.aggregate(),
        .offline = m_monitor.isOffline(),
        .lastUpdated = m_monitor.lastUpdated(),
        .now = QDateTime::currentDateTimeUtc(),
    });
    QList<MenuEntry> entries;
    for (const TrayMenuLine &line : glance) {
        std::function<void()> run;
        if (line.action == TrayMenuLine::Action::OpenPanel)
            run = [this] { showPanel(); };
        else if (line.action == TrayMenuLine::Action::OpenService)
            run = [this, id = line.service] { openService(id); };
        entries.append({line.label, run});
        if (itemMenu) {
            itemMenu->append({.label = line.label,
                              .enabled = bool(run),
                              .icon = menuIcon(line),
                              .accessibleDescription = line.accessibleText,
                              .key = line.service.isNull() ? QString() : line.service.toString()});
        }
    }
    entries.append(MenuEntry{});
    if (itemMenu)
        itemMenu->append({.separator = true});
    for (const MenuEntry &entry : std::as_const(m_fixedEntries)) {
        entries.append(entry);
        if (itemMenu)
            itemMenu->append({.label = entry.label, .separator = entry.label.isEmpty()});
    }
    return entries;
}

void TrayController::updateItemMenu()
{
    QList<StatusNotifierItem::MenuEntry> itemMenu;
    m_itemEntries = menuEntries(&itemMenu);
    m_item->setMenu(itemMenu);
}

void TrayController::fillQtMenu()
{
    m_menu->clear();
    for (const MenuEntry &entry : menuEntries(nullptr)) {
        if (entry.label.isEmpty()) {
            m_menu->addSeparator();
            continue;
        }
        QAction *action = m_menu->addAction(entry.label);
        action->setEnabled(bool(entry.run));
        if (entry.run)
            connect(action, &QAction::triggered, this, entry.run);
    }
}

void TrayController::openService(const QUuid &id)
{
    const Service *service = m_monitor.service(id);
    if (!service)
        return;
    // the probe reads no status page: its page is the site itself
    if (service->provider && providerInfo(*service->provider).probesSite) {
        if (isWebAddress(service->url))
            m_opener.open(service->url);
        return;
    }
    showPanel();
    if (m_placement->isAvailable() && m_panel->mode() == PanelWindow::Mode::Popup)
        m_detailsWhenPlaced = id;
    else
        m_panel->showDetails(id);
}

TrayController::Presence TrayController::presence() const
{
    if (m_item->isHosted())
        return Presence::StatusNotifier;
    return m_qtTray ? Presence::XEmbed : Presence::None;
}

// Puts the meter where the trays are now, and the panel with it.
void TrayController::follow()
{
    if (!m_item->isHosted() && m_item->isSettled() && m_xembed->isPresent())
        makeXEmbedIcon();
    else
        dropXEmbedIcon();

    const Presence now = presence();
    if (now != Presence::None) {
        m_lossTimer.stop();
        // the window standing in for the tray goes
        m_panel->setMode(PanelWindow::Mode::Popup);
        m_placed = true;
    } else if (!m_placed) {
        if (m_item->isSettled()) {
            m_placed = true;
            showPanel();
        }
    } else if (m_panel->mode() == PanelWindow::Mode::Popup && !m_lossTimer.isActive()) {
        // a tray that restarts is back long before this
        m_lossTimer.start();
    }
    if (now != m_presence) {
        m_presence = now;
        Q_EMIT presenceChanged(now);
    }
}

void TrayController::makeXEmbedIcon()
{
    if (m_qtTray || qtTrayKind == QtTrayKind::Unsafe)
        return;
    // asked now, not as last heard: a panel that starts announces its XEmbed tray and its
    // host at about the same moment, and our item may not have heard of the host yet
    if (qtTrayKind == QtTrayKind::Undecided && (m_item->isHostAvailable() || m_item->askHostAvailable()))
        return;
    auto tray = std::make_unique<QSystemTrayIcon>();
    if (qtTrayKind == QtTrayKind::Undecided) {
        qtTrayKind = m_item->askHostAvailable() ? QtTrayKind::Unsafe : QtTrayKind::XEmbed;
        if (qtTrayKind == QtTrayKind::Unsafe)
            return;
    }
    m_qtTray = tray.release();
    m_qtTray->setParent(this);
    m_qtTray->setContextMenu(m_menu.get());
    connect(m_qtTray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            togglePanel();
        else if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::MiddleClick)
            showPanel();
    });
    connect(m_qtTray, &QSystemTrayIcon::messageClicked, this, [this] {
        if (isWebAddress(m_balloonPage))
            m_opener.open(m_balloonPage);
    });
    if (m_shown)
        showIcon(*m_shown);
    m_qtTray->show();
}

void TrayController::dropXEmbedIcon()
{
    delete m_qtTray;
    m_qtTray = nullptr;
}

void TrayController::updateIcon()
{
    const Indicator aggregate = m_monitor.aggregate();
    if (m_shown == aggregate)
        return;
    m_shown = aggregate;
    showIcon(aggregate);
}

void TrayController::showIcon(Indicator indicator)
{
    const QString toolTip = trayToolTip(indicator);
    if (m_qtTray) {
        m_qtTray->setIcon(QIcon(new MeterIconEngine(indicator)));
        m_qtTray->setToolTip(toolTip);
    }
    // kept current while no tray holds it, for the one that comes
    QList<QImage> images;
    for (int side : iconSides)
        images.append(renderMeter(indicator, QSize(side, side)));
    m_item->setIcon(images);
    m_item->setToolTip(toolTip);
}

QRect TrayController::anchor() const
{
    const QRect icon = m_qtTray ? m_qtTray->geometry() : QRect();
    if (icon.isValid() && !icon.isEmpty())
        return icon;
    // a panel opened from the menu goes where the icon was last clicked
    return pointAnchor(m_lastClick);
}

void TrayController::showPanel()
{
    showPanelAt(anchor(), false);
}

void TrayController::togglePanel()
{
    togglePanelAt(anchor());
}

void TrayController::showPanelAt(const QRect &anchor, bool atPointer)
{
    // Details asked for at an earlier opening whose placement never came are not owed to
    // this one; openService() asks again after showing.
    m_detailsWhenPlaced.reset();
    if (m_panel->mode() == PanelWindow::Mode::Window) {
        m_panel->present();
        return;
    }
    m_panel->popUp(anchor);
    if (!m_placement->isAvailable())
        return;
    // where the compositor places windows itself, it is asked to put the panel at the
    // pointer, against the bar
    if (!atPointer && m_panelPlacedAt) {
        m_placement->moveTo(placementTarget(*m_panel), *m_panelPlacedAt);
        return;
    }
    m_placement->place(placementTarget(*m_panel), [](const QPoint &pointer, const QRect &usable, const QSize &size) {
        return placePopover(size, QRect(pointer, QSize(1, 1)), usable).topLeft();
    });
}

WindowPlacement::Target TrayController::placementTarget(QWidget &window) const
{
    WindowPlacement::Target target{window.windowTitle(), std::nullopt, window.size()};
    if (QGuiApplication::platformName() == u"xcb")
        target.x11Window = quint64(window.winId());
    return target;
}

void TrayController::togglePanelAt(const QRect &anchor)
{
    if (m_panel->isVisible()) {
        m_panel->hide();
        return;
    }
    // the click that reached us took the focus from the open panel and so closed it
    if (m_panel->justLostFocus())
        return;
    showPanelAt(anchor);
}

void TrayController::showBalloon(const QString &title, const QString &body, const QUrl &page)
{
    if (!m_qtTray)
        return;
    m_balloonPage = page;
    m_qtTray->showMessage(title, body, QIcon(new MeterIconEngine(m_monitor.aggregate())));
}

Notifications::Fallback TrayController::notificationFallback()
{
    return [self = QPointer<TrayController>(this)](const QString &title, const QString &body, const QUrl &page) {
        if (self)
            self->showBalloon(title, body, page);
    };
}
