#include "ui/tray/traycontroller.h"

#include "core/webaddress.h"
#include "monitor/statusmonitor.h"
#include "platform/statusnotifieritem.h"
#include "platform/urlopener.h"
#include "platform/windowplacement.h"
#include "platform/xembedtray.h"
#include "providers/providertable.h"
#include "ui/common/renderers.h"
#include "ui/tray/metericonengine.h"
#include "ui/tray/panelmodel.h"
#include "ui/tray/panelplacement.h"
#include "ui/tray/panelwindow.h"
#include "ui/tray/traymenus.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace {

// The sizes offered to StatusNotifierItem trays, which pick the one nearest their panel.
constexpr int iconSides[] = {16, 22, 24, 32, 48};

} // namespace

TrayController::TrayController(StatusMonitor &monitor, UrlOpener &opener, Desktop desktop, QObject *parent)
    : QObject(parent)
    , m_monitor(monitor)
    , m_opener(opener)
    , m_item(desktop.item ? std::move(desktop.item) : makeStatusNotifierItem())
    , m_xembed(desktop.xembed ? std::move(desktop.xembed) : makeXEmbedTray())
    , m_kind(desktop.qtTray)
{
    m_panel = std::make_unique<PanelWindow>(monitor, opener, PanelWindow::Mode::Window);
    connect(m_panel.get(), &PanelWindow::settingsRequested, this, &TrayController::settingsRequested);
    connect(m_panel.get(), &PanelWindow::quitRequested, this, &TrayController::quitRequested);
    connect(m_panel.get(), &PanelWindow::shown, this, &TrayController::panelShown);
    m_placement = std::make_unique<PanelPlacement>(
        *m_panel, desktop.placement ? std::move(desktop.placement) : makeWindowPlacement(desktop.swaySocket));

    m_menus = std::make_unique<TrayMenus>(m_monitor, *m_item,
                                          TrayMenus::Setup{
                                              .fixed = {{tr("Open Glinter"), [this] { showPanel(); }},
                                                        {tr("Refresh Now"), [this] { m_monitor.requestRefresh(); }},
                                                        {},
                                                        {tr("Settings\u2026"), [this] { Q_EMIT settingsRequested(); }},
                                                        {tr("Quit"), [this] { Q_EMIT quitRequested(); }}},
                                              .openPanel = [this] { showPanel(); },
                                              .openService = [this](const QUuid &id) { openService(id); },
                                          });

    m_item->setTitle(tr("Glinter"));
    connect(m_item.get(), &StatusNotifierItem::activated, this, [this](std::optional<QPoint> at) {
        m_lastClick = at;
        m_placement->toggleAt(clickAnchor(at));
    });
    connect(m_item.get(), &StatusNotifierItem::secondaryActivated, this, [this](std::optional<QPoint> at) {
        m_lastClick = at;
        m_placement->showAt(clickAnchor(at));
    });
    connect(m_item.get(), &StatusNotifierItem::contextMenuRequested, this, [this](std::optional<QPoint> at) {
        m_lastClick = at;
        m_menus->qtMenu().popup(clickAnchor(at).topLeft());
    });
    connect(m_item.get(), &StatusNotifierItem::hostedChanged, this, &TrayController::follow);
    connect(m_item.get(), &StatusNotifierItem::settled, this, &TrayController::follow);
    connect(m_xembed.get(), &XEmbedTray::presentChanged, this, &TrayController::follow);

    m_lossTimer.setSingleShot(true);
    m_lossTimer.setInterval(desktop.lossGrace);
    connect(&m_lossTimer, &QTimer::timeout, this, [this] {
        if (presence() == Presence::None)
            m_panel->setMode(PanelWindow::Mode::Window);
    });

    connect(&m_monitor, &StatusMonitor::resultsChanged, this, &TrayController::updateIcon);
    connect(&m_monitor, &StatusMonitor::servicesChanged, this, &TrayController::updateIcon);
    updateIcon();
    // after the caller has connected to panelShown
    QMetaObject::invokeMethod(this, &TrayController::follow, Qt::QueuedConnection);
}

TrayController::~TrayController()
{
    // the icon refers to the menu: it goes first
    delete m_qtTray;
    m_menus.reset();
    m_item.reset();
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
    m_placement->showDetails(id);
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
    if (TrayKind::wantsXEmbed(m_item->isHosted(), m_item->isSettled(), m_xembed->isPresent()))
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
    if (m_qtTray)
        return;
    std::unique_ptr<QSystemTrayIcon> tray = m_kind.makeQtIcon(*m_item);
    if (!tray)
        return;
    m_qtTray = tray.release();
    m_qtTray->setParent(this);
    m_qtTray->setContextMenu(&m_menus->qtMenu());
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
    return clickAnchor(m_lastClick);
}

void TrayController::showPanel()
{
    m_placement->showAt(anchor(), false);
}

void TrayController::togglePanel()
{
    m_placement->toggleAt(anchor());
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
