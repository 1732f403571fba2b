#pragma once

#include "core/indicator.h"
#include "platform/notifications.h"
#include "platform/statusnotifieritem.h"
#include "platform/windowplacement.h"
#include "platform/xembedtray.h"
#include "ui/tray/traykind.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <memory>
#include <optional>

class PanelPlacement;
class PanelWindow;
class QSystemTrayIcon;
class StatusMonitor;
class TrayMenus;
class UrlOpener;

// Glinter's presence on the desktop: the meter in the system tray, its menu and the panel.
// The meter goes to a StatusNotifierItem tray whenever one holds our item, otherwise to an
// XEmbed tray through QSystemTrayIcon (TrayKind chooses). While there is neither, the panel
// is an ordinary window titled "Glinter", shown at start; the application goes on running
// when it is closed, as it does not quit on its last window. A tray that comes later takes
// the meter and the window goes; when every tray has been gone for a while (longer than a
// restart takes), the panel turns back into that window, unshown.
class TrayController : public QObject
{
    Q_OBJECT

public:
    enum class Presence { None, StatusNotifier, XEmbed };

    // The desktop's trays; empty members mean the platform's.
    struct Desktop {
        std::unique_ptr<StatusNotifierItem> item;
        std::unique_ptr<XEmbedTray> xembed;
        // How long every tray may be gone before the panel becomes the window again.
        std::chrono::milliseconds lossGrace{std::chrono::seconds(5)};
        // Where the compositor places windows itself, how to ask it to place the panel; and,
        // where no window manager says it, what the bars leave of a screen. Empty means the
        // platform's, through sway's socket when there is one.
        std::unique_ptr<WindowPlacement> placement;
        // Where sway listens (what SWAYSOCK names); empty where it does not.
        QString swaySocket;
        // What Qt has chosen for its own tray icon so far in this process.
        TrayKind::QtTray qtTray = TrayKind::QtTray::Undecided;
    };

    TrayController(StatusMonitor &monitor, UrlOpener &opener, Desktop desktop, QObject *parent = nullptr);
    ~TrayController() override;

    // Shows the panel (at the tray icon, or as the window); also the answer to a second
    // instance that asks the running one to show itself.
    void showPanel();
    // What a left click on the icon does.
    void togglePanel();

    // Where the meter is now.
    Presence presence() const;

    // Shows a notification as a tray balloon; a click on it opens `page` (web pages only).
    // Only an XEmbed tray has balloons: elsewhere it is dropped.
    void showBalloon(const QString &title, const QString &body, const QUrl &page);
    // For Notifications::setFallback: balloons while the desktop has no notification service.
    Notifications::Fallback notificationFallback();

Q_SIGNALS:
    void settingsRequested();
    void quitRequested();
    // Each time the panel appears (the shell opens the onboarding window on the first).
    void panelShown();
    void presenceChanged(TrayController::Presence presence);

private:
    void openService(const QUuid &id);
    void follow();
    void makeXEmbedIcon();
    void dropXEmbedIcon();
    void updateIcon();
    void showIcon(Indicator indicator);
    // Where the panel opens when not at a click: at Qt's icon, else where the tray was
    // last clicked.
    QRect anchor() const;

    StatusMonitor &m_monitor;
    UrlOpener &m_opener;
    std::unique_ptr<StatusNotifierItem> m_item;
    std::unique_ptr<XEmbedTray> m_xembed;
    TrayKind m_kind;
    // Outlives the panel, whose placement callbacks it serves.
    std::unique_ptr<PanelPlacement> m_placement;
    std::unique_ptr<PanelWindow> m_panel;
    std::unique_ptr<TrayMenus> m_menus;
    // Where the tray last said it was clicked, for a panel opened from the menu.
    std::optional<QPoint> m_lastClick;
    QSystemTrayIcon *m_qtTray = nullptr;
    QTimer m_lossTimer;
    Presence m_presence = Presence::None;
    // Whether the panel has found its first place: a tray, or the window shown at start.
    bool m_placed = false;
    std::optional<Indicator> m_shown;
    QUrl m_balloonPage;
};
