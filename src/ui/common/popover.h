#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>
#include <optional>

class QScreen;

// A small frameless window next to what opened it: the panel beside the tray icon, the
// settings' pickers beside their buttons. A tool window rather than a popup, so that screen
// readers see it (Qt 6.4 does not expose Qt::Popup windows to them); like a popup it closes
// on Escape and when it loses the focus, and it draws its own edge.
//
// Where the window system lets a client see clicks outside its windows (X11, and Xwayland
// where the pointer is over one of its windows), the active popover holds the pointer, and
// a click anywhere outside closes it, the empty desktop included.
//
// A popover opened from another (a row's details from the panel) is its child: taking the
// focus from its opener does not close the opener, the focus leaving both closes both, and
// Escape hands the focus back to where it was in the opener.
class Popover : public QWidget
{
    Q_OBJECT

public:
    explicit Popover(QWidget *parent = nullptr);

    // Shows it against `anchor` (global coordinates) inside the available area of the
    // screen under it, as placePopover() says, and gives it the focus. It stays against the
    // anchor when its size changes while open.
    void popUp(const QRect &anchor, Qt::Alignment horizontal = Qt::AlignHCenter);
    // The same against a widget.
    void popUp(const QWidget &anchor, Qt::Alignment horizontal = Qt::AlignHCenter);

    // Whether it closed on losing the focus a moment ago: a click on what opened it takes
    // the focus first, and must not open again what it just closed.
    bool justLostFocus() const;

    // Off, it is an ordinary window with a frame that neither places itself nor closes on
    // its own (the panel where there is no tray).
    void setPopover(bool popover);
    bool isPopover() const { return m_popover; }

    // How to ask the compositor to move a window, where it places every window itself
    // (Wayland, and X11 windows under such a compositor).
    using CompositorMove = std::function<void(QWidget &window, const QPoint &topLeft)>;
    // Its owner asks the compositor where it goes (the panel, at the pointer): it does not
    // place itself, and the popovers opened from it are moved through `move`.
    void setPlacedByOwner(CompositorMove move) { m_ownerMove = std::move(move); }
    // Where the compositor put it, which Qt cannot learn on Wayland: popovers opened against
    // its widgets go by it.
    void setPlacedAt(std::optional<QPoint> topLeft) { m_placedAt = topLeft; }

    // The part of a screen it may cover, where Qt's available area is wrong (a bar that no
    // window manager announces); the popovers opened from it go by it too.
    using AvailableArea = std::function<QRect(const QScreen &screen)>;
    void setAvailableArea(AvailableArea area) { m_availableArea = std::move(area); }

Q_SIGNALS:
    // It grew or shrank while open (what it shows changed).
    void resizedWhileOpen();

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void place();
    void closeOnFocusLoss();
    void holdPointer(bool hold);
    // The popover this one was opened from, if any.
    Popover *opener() const;
    QRect availableArea(const QScreen &screen) const;

    bool m_popover = true;
    std::optional<QRect> m_anchor;
    Qt::Alignment m_alignment = Qt::AlignHCenter;
    QElapsedTimer m_focusLost;
    QPointer<QWidget> m_returnFocus;
    bool m_holdsPointer = false;
    CompositorMove m_ownerMove;
    std::optional<QPoint> m_placedAt;
    AvailableArea m_availableArea;
};

// Where a popover of `size` goes against `anchor` inside `available`: below the anchor when
// it fits there, else above; centred on it, or with the anchor's left or right edge; always
// inside the available area (the top-left corner first when it is larger).
QRect placePopover(const QSize &size, const QRect &anchor, const QRect &available,
                   Qt::Alignment horizontal = Qt::AlignHCenter);
