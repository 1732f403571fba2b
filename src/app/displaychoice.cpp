#include "app/displaychoice.h"

#include <QStringList>

#include <algorithm>

namespace {

// The desktops known to honour an Xwayland window's position and to draw a tray.
bool placesX11Windows(const QString &currentDesktop)
{
    const QStringList names = currentDesktop.split(u':', Qt::SkipEmptyParts);
    return std::any_of(names.cbegin(), names.cend(), [](const QString &name) {
        return name.compare(u"GNOME", Qt::CaseInsensitive) == 0 || name.compare(u"KDE", Qt::CaseInsensitive) == 0;
    });
}

} // namespace

DisplayChoice chooseDisplay(const DisplayEnvironment &environment, const DisplayProbe &probe)
{
    const auto x11 = [&] { return probe.x11(environment.x11Display); };
    const auto wayland = [&] { return probe.wayland(environment.waylandDisplay, environment.runtimeDirectory); };

    const QString &asked = environment.qpaPlatform;
    if (!asked.isEmpty()) {
        // the user's choice stands; only its display is checked
        if (asked.startsWith(u"xcb"))
            return {x11(), std::nullopt};
        if (asked.startsWith(u"wayland"))
            return {wayland() || (asked.contains(u"xcb") && x11()), std::nullopt};
        // offscreen, vnc, eglfs and the like need no display server
        return {true, std::nullopt};
    }

    const bool hasX11 = !environment.x11Display.isEmpty() && x11();
    const bool hasWayland = !environment.waylandDisplay.isEmpty() && wayland();
    if (hasX11 && hasWayland) {
        if (environment.swaySocket.isEmpty() && placesX11Windows(environment.currentDesktop))
            return {true, QStringLiteral("xcb")};
        return {true, std::nullopt};
    }
    // only one answers: Qt must not try the other and abort
    if (hasWayland)
        return {true, QStringLiteral("wayland")};
    if (hasX11)
        return {true, QStringLiteral("xcb")};
    return {false, std::nullopt};
}
