#include "ui/menubar/traycontroller.h"

#include "core/webaddress.h"
#include "monitor/statusmonitor.h"
#include "platform/urlopener.h"
#include "ui/menubar/metericonengine.h"
#include "ui/menubar/panelmodel.h"
#include "ui/menubar/panelwindow.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>

TrayController::TrayController(StatusMonitor &monitor, UrlOpener &opener, QObject *parent)
    : QObject(parent)
    , m_monitor(monitor)
    , m_opener(opener)
{
    // the program lives in the tray (or, without one, goes on running when its window closes)
    QApplication::setQuitOnLastWindowClosed(false);

    const bool trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    m_panel = std::make_unique<PanelWindow>(monitor, opener,
                                            trayAvailable ? PanelWindow::Mode::Popup : PanelWindow::Mode::Window);
    connect(m_panel.get(), &PanelWindow::settingsRequested, this, &TrayController::settingsRequested);
    connect(m_panel.get(), &PanelWindow::quitRequested, this, &TrayController::quitRequested);
    connect(m_panel.get(), &PanelWindow::shown, this, &TrayController::panelShown);

    if (!trayAvailable) {
        QMetaObject::invokeMethod(this, &TrayController::showPanel, Qt::QueuedConnection);
        return;
    }

    m_tray = new QSystemTrayIcon(this);
    // trays that deliver no left click (StatusNotifierItem hosts that show only a menu)
    // still reach everything through the menu
    m_menu = std::make_unique<QMenu>();
    connect(m_menu->addAction(tr("Open Glinter")), &QAction::triggered, this, &TrayController::showPanel);
    connect(m_menu->addAction(tr("Refresh Now")), &QAction::triggered, &m_monitor, &StatusMonitor::requestRefresh);
    m_menu->addSeparator();
    connect(m_menu->addAction(tr("Settings\u2026")), &QAction::triggered, this, &TrayController::settingsRequested);
    connect(m_menu->addAction(tr("Quit")), &QAction::triggered, this, &TrayController::quitRequested);
    m_tray->setContextMenu(m_menu.get());

    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            togglePanel();
        else if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::MiddleClick)
            showPanel();
    });
    connect(m_tray, &QSystemTrayIcon::messageClicked, this, [this] {
        if (isWebAddress(m_balloonPage))
            m_opener.open(m_balloonPage);
    });
    connect(&m_monitor, &StatusMonitor::resultsChanged, this, &TrayController::updateIcon);
    connect(&m_monitor, &StatusMonitor::servicesChanged, this, &TrayController::updateIcon);
    updateIcon();
    m_tray->show();
}

TrayController::~TrayController()
{
    // the icon refers to the menu: it goes first
    delete m_tray;
}

void TrayController::updateIcon()
{
    const Indicator aggregate = m_monitor.aggregate();
    if (m_shown == aggregate)
        return;
    m_shown = aggregate;
    m_tray->setIcon(QIcon(new MeterIconEngine(aggregate)));
    m_tray->setToolTip(trayToolTip(aggregate));
}

QRect TrayController::anchor() const
{
    const QRect icon = m_tray ? m_tray->geometry() : QRect();
    if (icon.isValid() && !icon.isEmpty())
        return icon;
    return QRect(QCursor::pos(), QSize(1, 1));
}

void TrayController::showPanel()
{
    if (m_panel->mode() == PanelWindow::Mode::Window)
        m_panel->present();
    else
        m_panel->popUp(anchor());
}

void TrayController::togglePanel()
{
    if (m_panel->isVisible()) {
        m_panel->hide();
        return;
    }
    // the click that reached us took the focus from the open panel and so closed it
    if (m_panel->justLostFocus())
        return;
    showPanel();
}

void TrayController::showBalloon(const QString &title, const QString &body, const QUrl &page)
{
    if (!m_tray)
        return;
    m_balloonPage = page;
    m_tray->showMessage(title, body, QIcon(new MeterIconEngine(m_monitor.aggregate())));
}

Notifications::Fallback TrayController::notificationFallback()
{
    return [self = QPointer<TrayController>(this)](const QString &title, const QString &body, const QUrl &page) {
        if (self)
            self->showBalloon(title, body, page);
    };
}
