#pragma once

#include <QString>

// Whether a display server answers where the environment points: Qt's platform plugins
// abort the program when theirs does not, as after a stale `ssh -X` or inside tmux.

// An X server at `display` (what DISPLAY holds).
bool x11DisplayReachable(const QString &display);
// A Wayland compositor at `display` (what WAYLAND_DISPLAY holds: a socket name in
// `runtimeDirectory`, or an absolute path).
bool waylandDisplayReachable(const QString &display, const QString &runtimeDirectory);
