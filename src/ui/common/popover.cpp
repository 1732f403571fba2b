#include "ui/common/popover.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

using namespace std::chrono_literals;

namespace {

constexpr int gap = 4;

Qt::WindowFlags flags(bool popover)
{
    return popover ? Qt::Tool | Qt::FramelessWindowHint : Qt::Window;
}

// Whether `window` is `popover` or was opened from it, directly or through another.
bool within(const QWidget *window, const QWidget *popover)
{
    for (const QWidget *widget = window; widget; widget = widget->parentWidget()) {
        if (widget == popover)
            return true;
    }
    return false;
}

} // namespace

QRect placePopover(const QSize &size, const QRect &anchor, const QRect &available, Qt::Alignment horizontal)
{
    const bool fitsBelow = anchor.bottom() + 1 + gap + size.height() <= available.bottom() + 1;
    int y = fitsBelow ? anchor.bottom() + 1 + gap : anchor.top() - gap - size.height();
    int x = anchor.center().x() - size.width() / 2;
    if (horizontal & Qt::AlignLeft)
        x = anchor.left();
    else if (horizontal & Qt::AlignRight)
        x = anchor.right() + 1 - size.width();
    // the right and bottom edges first, so that one larger than the screen keeps its
    // top-left corner visible
    x = std::max(std::min(x, available.right() + 1 - size.width()), available.left());
    y = std::max(std::min(y, available.bottom() + 1 - size.height()), available.top());
    return QRect(QPoint(x, y), size);
}

Popover::Popover(QWidget *parent)
    : QWidget(parent, flags(true))
{
}

void Popover::setPopover(bool popover)
{
    if (popover == m_popover)
        return;
    // first, so that the hiding below is not taken for a popover losing the focus
    m_popover = popover;
    hide();
    setWindowFlags(flags(popover));
    m_anchor.reset();
}

void Popover::popUp(const QRect &anchor, Qt::Alignment horizontal)
{
    m_anchor = anchor;
    m_alignment = horizontal;
    QWidget *focused = QApplication::focusWidget();
    m_returnFocus = focused && parentWidget() && focused->window() == parentWidget()->window() ? focused : nullptr;
    adjustSize();
    place();
    show();
    raise();
    activateWindow();
}

void Popover::popUp(const QWidget &anchor, Qt::Alignment horizontal)
{
    QPoint origin = anchor.mapToGlobal(QPoint(0, 0));
    const auto *owner = qobject_cast<const Popover *>(anchor.window());
    if (owner && owner->m_placedAt)
        origin = *owner->m_placedAt + anchor.mapTo(owner, QPoint(0, 0));
    popUp(QRect(origin, anchor.size()), horizontal);
}

bool Popover::justLostFocus() const
{
    // the press on the icon and its click arrive within a fraction of a second
    constexpr auto sameClick = 300ms;
    return m_focusLost.isValid() && std::chrono::milliseconds(m_focusLost.elapsed()) < sameClick;
}

void Popover::place()
{
    if (!m_popover || !m_anchor || m_ownerMove)
        return;
    const QScreen *screen = QGuiApplication::screenAt(m_anchor->center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QPoint topLeft = placePopover(size(), *m_anchor, availableArea(*screen), m_alignment).topLeft();
    move(topLeft);
    // only against a window the compositor placed: of any other, Qt's idea of where it is
    // may be wrong, and the compositor's own choice is better
    if (const Popover *from = opener(); from && from->m_ownerMove)
        from->m_ownerMove(*this, topLeft);
}

Popover *Popover::opener() const
{
    return parentWidget() ? qobject_cast<Popover *>(parentWidget()->window()) : nullptr;
}

QRect Popover::availableArea(const QScreen &screen) const
{
    for (const Popover *popover = this; popover; popover = popover->opener()) {
        if (popover->m_availableArea)
            return popover->m_availableArea(screen);
    }
    return screen.availableGeometry();
}

void Popover::closeOnFocusLoss()
{
    // already on its way out: closing it, the window system may activate another window
    // before it is gone
    if (!m_popover || !isVisible() || isHidden())
        return;
    m_focusLost.start();
    close();
    // gone to another window or application: what this was opened from closes as well
    Popover *from = opener();
    if (from && !within(QApplication::activeWindow(), from))
        from->closeOnFocusLoss();
}

void Popover::holdPointer(bool hold)
{
    // only X11 hands a client the clicks outside its windows; elsewhere the focus loss is all
    // there is
    if (hold && (!m_popover || QGuiApplication::platformName() != u"xcb"))
        return;
    if (hold == m_holdsPointer || !windowHandle())
        return;
    m_holdsPointer = hold && windowHandle()->setMouseGrabEnabled(true);
    if (!hold)
        windowHandle()->setMouseGrabEnabled(false);
}

void Popover::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange) {
        // a popover opened from this one may take the focus without closing it, and holds
        // the pointer while it is open
        if (!isActiveWindow() && !within(QApplication::activeWindow(), this)) {
            holdPointer(false);
            closeOnFocusLoss();
        } else {
            holdPointer(isActiveWindow());
        }
    }
    QWidget::changeEvent(event);
}

void Popover::mousePressEvent(QMouseEvent *event)
{
    // with the pointer held, a press anywhere on the screen comes here
    if (m_holdsPointer && !rect().contains(event->position().toPoint())) {
        m_focusLost.start();
        close();
        if (Popover *from = opener()) {
            // outside the opener too: both close, as when the focus goes elsewhere
            const QPoint global = event->globalPosition().toPoint();
            if (!from->frameGeometry().contains(global))
                from->closeOnFocusLoss();
        }
        return;
    }
    QWidget::mousePressEvent(event);
}

void Popover::hideEvent(QHideEvent *event)
{
    holdPointer(false);
    m_placedAt.reset();
    QWidget::hideEvent(event);
}

void Popover::keyPressEvent(QKeyEvent *event)
{
    // Escape from anywhere inside, a search field included, closes it.
    if (event->key() == Qt::Key_Escape) {
        close();
        // the keyboard goes back to where it was, rather than wherever the window manager
        // puts it (often nowhere, which would leave the opener unable to close on its own)
        if (m_returnFocus && m_returnFocus->isVisible()) {
            m_returnFocus->activateWindow();
            m_returnFocus->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

void Popover::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_popover)
        return;
    // a frameless window needs an edge of its own against a window of the same colour
    QPainter painter(this);
    QColor edge = palette().color(QPalette::WindowText);
    edge.setAlphaF(0.2f);
    painter.setPen(edge);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Popover::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // grown or shrunk while open: stay against the anchor and on the screen
    if (isVisible()) {
        place();
        Q_EMIT resizedWhileOpen();
    }
}
