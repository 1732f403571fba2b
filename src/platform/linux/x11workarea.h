#pragma once

#include "platform/windowplacement.h"

#include <QList>

// The usable part of a screen on X11 where no window manager publishes _NET_WORKAREA (an
// Xfce panel, polybar or trayer started on a bare X server): Qt then takes the whole screen
// as available and a popover opens over the bar. The bars still reserve their edge with
// _NET_WM_STRUT_PARTIAL (or the older _NET_WM_STRUT) on their own windows, read here from
// the root window's mapped children. It places nothing itself.
class X11WorkArea final : public WindowPlacement
{
    Q_OBJECT

public:
    using WindowPlacement::WindowPlacement;

    bool isAvailable() const override { return false; }
    void place(const Target &, Choose) override { }
    void moveTo(const Target &, const QPoint &) override { }
    void keepPlaced(const Target &) override { }
    // None with a window manager (Qt's area is right), outside X11, or without struts.
    std::optional<QRect> usableArea(const QRect &screen) const override;

    // What one window reserves along the edges of the root window, in X's pixels: a width or
    // height from each edge and the stretch of that edge it covers (first and last pixel).
    struct Strut {
        int left = 0, right = 0, top = 0, bottom = 0;
        int leftStartY = 0, leftEndY = 0, rightStartY = 0, rightEndY = 0;
        int topStartX = 0, topEndX = 0, bottomStartX = 0, bottomEndX = 0;

        // From _NET_WM_STRUT_PARTIAL's twelve values, or _NET_WM_STRUT's four, which cover
        // their whole edge of `root`; none from anything else.
        static std::optional<Strut> fromProperty(const QList<quint32> &values, const QSize &root);
    };
    // The part of `screen` (a monitor, in root coordinates) that the struts leave: each strut
    // whose reserved band touches the monitor pushes the monitor's edge in. A monitor the
    // struts would swallow whole is given back as it is.
    static QRect outsideStruts(const QRect &screen, const QSize &root, const QList<Strut> &struts);
};
