#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// Placing a window on desktops whose compositor places every window itself, where a client
// cannot (Wayland), or where the compositor ignores an X11 window's wish: sway and the
// compositors that speak its IPC can be asked to move a floating window, and can tell where
// the pointer and the usable area of its output are. Where Qt cannot tell which part of a
// screen the bars leave, it says so too.
class WindowPlacement : public QObject
{
    Q_OBJECT

public:
    // Which of the compositor's windows is ours: one of this process, with this title, and,
    // for an X11 window (through Xwayland), this window id; and the size it has now, which
    // the compositor may not have taken yet (none: whatever size it has there).
    struct Target {
        QString title;
        std::optional<quint64> x11Window;
        QSize size;
    };
    // The top-left corner for a window of `size`, given the pointer and the usable area of
    // the output under it (without the bars), in the compositor's logical coordinates.
    using Choose = std::function<QPoint(const QPoint &pointer, const QRect &usable, const QSize &size)>;

    using QObject::QObject;

    // Whether windows can be placed this way here.
    virtual bool isAvailable() const = 0;
    // Moves the target, shown just now, to where `choose` says once the compositor has it.
    virtual void place(const Target &target, Choose choose) = 0;
    // Moves the target, shown just now, to `topLeft` once the compositor has it.
    virtual void moveTo(const Target &target, const QPoint &topLeft) = 0;
    // Moves the target, placed by place() and grown or shrunk since, to where the same rule
    // puts it at its new size, as the compositor had it then: sway centres again an X11
    // window that changes its size. Nothing for a window never placed.
    virtual void keepPlaced(const Target &target) = 0;
    // The part of the screen whose geometry (as Qt gives it) is `screen` that windows may
    // cover without hiding a bar, where the desktop does not publish it and Qt therefore
    // takes the whole screen (bars on X11 without a window manager); none elsewhere.
    virtual std::optional<QRect> usableArea(const QRect &screen) const
    {
        Q_UNUSED(screen);
        return std::nullopt;
    }

Q_SIGNALS:
    // The window titled `title` was moved to `topLeft`.
    void placed(const QString &title, const QPoint &topLeft);
};

// Through sway's IPC socket at `swaySocket` (what SWAYSOCK names); never available when it is
// empty or on platforms without such compositors.
std::unique_ptr<WindowPlacement> makeWindowPlacement(const QString &swaySocket);
