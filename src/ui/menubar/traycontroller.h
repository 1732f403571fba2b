#pragma once

#include "core/indicator.h"
#include "platform/notifications.h"

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QUrl>

#include <memory>

class PanelWindow;
class QMenu;
class StatusMonitor;
class UrlOpener;

// Glinter's presence on the desktop: the meter in the system tray, its menu and the panel.
// Without a system tray the panel is an ordinary window titled "Glinter", shown at start;
// closing it keeps Glinter running.
class TrayController : public QObject
{
    Q_OBJECT

public:
    TrayController(StatusMonitor &monitor, UrlOpener &opener, QObject *parent = nullptr);
    ~TrayController() override;

    // Shows the panel (at the tray icon, or as the window); also the answer to a second
    // instance that asks the running one to show itself.
    void showPanel();
    // What a left click on the icon does.
    void togglePanel();

    // Whether the meter sits in a system tray.
    bool hasTray() const { return m_tray != nullptr; }

    // Shows a notification as a tray balloon; a click on it opens `page` (web pages only).
    // Dropped when there is no tray.
    void showBalloon(const QString &title, const QString &body, const QUrl &page);
    // For Notifications::setFallback: balloons while the desktop has no notification service.
    Notifications::Fallback notificationFallback();

    PanelWindow *panel() const { return m_panel.get(); }

Q_SIGNALS:
    void settingsRequested();
    void quitRequested();
    // Each time the panel appears (the shell opens the onboarding window on the first).
    void panelShown();

private:
    void updateIcon();
    QRect anchor() const;

    StatusMonitor &m_monitor;
    UrlOpener &m_opener;
    std::unique_ptr<PanelWindow> m_panel;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon *m_tray = nullptr;
    std::optional<Indicator> m_shown;
    QUrl m_balloonPage;
};
