#pragma once

#include <QString>

#include <functional>
#include <optional>

// Which of Qt's platforms the desktop application runs on, chosen before Qt starts one.
//
// On GNOME and KDE Plasma under Wayland a client cannot place its windows, so the panel
// would open wherever the compositor puts a new window; through Xwayland both honour an X11
// window's position, and the panel opens at the tray icon. sway places windows for us over
// its IPC whichever platform Qt is on, so there Qt keeps its own choice.
struct DisplayEnvironment {
    QString qpaPlatform; // QT_QPA_PLATFORM
    QString x11Display; // DISPLAY
    QString waylandDisplay; // WAYLAND_DISPLAY
    QString runtimeDirectory; // XDG_RUNTIME_DIR
    QString currentDesktop; // XDG_CURRENT_DESKTOP
    QString swaySocket; // SWAYSOCK
};

struct DisplayProbe {
    std::function<bool(const QString &display)> x11;
    std::function<bool(const QString &display, const QString &runtimeDirectory)> wayland;
};

struct DisplayChoice {
    // Nothing to show a window on: the program says so instead of letting Qt abort.
    bool reachable = false;
    // What QT_QPA_PLATFORM should become; none keeps what is there.
    std::optional<QString> platform;
};

DisplayChoice chooseDisplay(const DisplayEnvironment &environment, const DisplayProbe &probe);
