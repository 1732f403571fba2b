#pragma once

#include "core/indicator.h"
#include "platform/notifications.h"
#include "platform/statusnotifieritem.h"
#include "platform/windowplacement.h"
#include "platform/xembedtray.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class PanelWindow;
class QMenu;
class QSystemTrayIcon;
class StatusMonitor;
class UrlOpener;

// Glinter's presence on the desktop: the meter in the system tray, its menu and the panel.
// The meter goes to a StatusNotifierItem tray whenever one holds our item, otherwise to an
// XEmbed tray through QSystemTrayIcon. While there is neither, the panel is an ordinary
// window titled "Glinter", shown at start; closing it keeps Glinter running. A tray that
// comes later takes the meter and the window goes; when every tray has been gone for a
// while (longer than a restart takes), the panel turns back into that window, unshown.
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
        // where no window manager says it, what the bars leave of a screen.
        std::unique_ptr<WindowPlacement> placement;
    };

    TrayController(StatusMonitor &monitor, UrlOpener &opener, QObject *parent = nullptr);
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
    struct MenuEntry {
        QString label; // none: a separator
        std::function<void()> run;
    };

    // The glance and the fixed entries, for the StatusNotifierItem's menu and, when asked,
    // for the XEmbed icon's.
    QList<MenuEntry> menuEntries(QList<StatusNotifierItem::MenuEntry> *itemMenu);
    void updateItemMenu();
    void fillQtMenu();
    void openService(const QUuid &id);
    void follow();
    void makeXEmbedIcon();
    void dropXEmbedIcon();
    void updateIcon();
    void showIcon(Indicator indicator);
    QRect anchor() const;
    // Next to the tray: at the anchor, or where the compositor says the pointer is; opened
    // from the menu, where the panel last was when the compositor placed it.
    void showPanelAt(const QRect &anchor, bool atPointer = true);
    WindowPlacement::Target placementTarget(QWidget &window) const;
    void togglePanelAt(const QRect &anchor);

    StatusMonitor &m_monitor;
    UrlOpener &m_opener;
    std::unique_ptr<StatusNotifierItem> m_item;
    std::unique_ptr<XEmbedTray> m_xembed;
    std::unique_ptr<WindowPlacement> m_placement;
    std::unique_ptr<PanelWindow> m_panel;
    QList<MenuEntry> m_fixedEntries;
    // What the StatusNotifierItem's menu shows, entry for entry.
    QList<MenuEntry> m_itemEntries;
    // Where the tray last said it was clicked, for a panel opened from the menu.
    std::optional<QPoint> m_lastClick;
    // Where the compositor last put the panel.
    std::optional<QPoint> m_panelPlacedAt;
    // Details chosen from the menu, opened once the compositor has placed the panel.
    std::optional<QUuid> m_detailsWhenPlaced;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon *m_qtTray = nullptr;
    QTimer m_lossTimer;
    Presence m_presence = Presence::None;
    // Whether the panel has found its first place: a tray, or the window shown at start.
    bool m_placed = false;
    std::optional<Indicator> m_shown;
    QUrl m_balloonPage;
};
