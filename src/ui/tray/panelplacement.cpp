#include "ui/tray/panelplacement.h"

#include "ui/tray/panelwindow.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace {

// Trays give click positions in device pixels; Qt's high-DPI scaling keeps each screen's
// top-left corner and divides the rest.
std::optional<QPoint> logicalPoint(std::optional<QPoint> device)
{
    if (!device)
        return std::nullopt;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect logical = screen->geometry();
        const qreal ratio = screen->devicePixelRatio();
        if (QRect(logical.topLeft(), logical.size() * ratio).contains(*device))
            return logical.topLeft() + (*device - logical.topLeft()) / ratio;
    }
    return device;
}

} // namespace

QRect clickAnchor(std::optional<QPoint> device)
{
    return QRect(logicalPoint(device).value_or(QCursor::pos()), QSize(1, 1));
}

PanelPlacement::PanelPlacement(PanelWindow &panel, std::unique_ptr<WindowPlacement> placement, QObject *parent)
    : QObject(parent)
    , m_panel(panel)
    , m_placement(std::move(placement))
{
    // off the bars that no window manager announces (an Xfce panel on a bare X server)
    m_panel.setAvailableArea([this](const QScreen &screen) {
        return m_placement->usableArea(screen.geometry()).value_or(screen.availableGeometry());
    });
    if (!m_placement->isAvailable())
        return;
    m_panel.setPlacedByOwner(
        [this](QWidget &window, const QPoint &topLeft) { m_placement->moveTo(target(window), topLeft); });
    // a list that grows while the panel is open (the first check ending) resizes it, and
    // sway centres an X11 window that resizes itself
    connect(&m_panel, &Popover::resizedWhileOpen, this, [this] {
        if (m_panel.mode() == PanelWindow::Mode::Popup)
            m_placement->keepPlaced(target(m_panel));
    });
    connect(m_placement.get(), &WindowPlacement::placed, this, &PanelPlacement::placed);
}

PanelPlacement::~PanelPlacement() = default;

void PanelPlacement::showAt(const QRect &anchor, bool atPointer)
{
    // Details asked for at an earlier opening whose placement never came are not owed to
    // this one; showDetails() asks again after showing.
    m_detailsWhenPlaced.reset();
    if (m_panel.mode() == PanelWindow::Mode::Window) {
        m_panel.present();
        return;
    }
    m_panel.popUp(anchor);
    if (!m_placement->isAvailable())
        return;
    // where the compositor places windows itself, it is asked to put the panel at the
    // pointer, against the bar
    if (!atPointer && m_placedAt) {
        m_placement->moveTo(target(m_panel), *m_placedAt);
        return;
    }
    m_placement->place(target(m_panel), [](const QPoint &pointer, const QRect &usable, const QSize &size) {
        return placePopover(size, QRect(pointer, QSize(1, 1)), usable).topLeft();
    });
}

void PanelPlacement::toggleAt(const QRect &anchor)
{
    if (m_panel.isVisible()) {
        m_panel.hide();
        return;
    }
    // the click that reached us took the focus from the open panel and so closed it
    if (m_panel.justLostFocus())
        return;
    showAt(anchor);
}

void PanelPlacement::showDetails(const QUuid &service)
{
    if (m_placement->isAvailable() && m_panel.mode() == PanelWindow::Mode::Popup)
        m_detailsWhenPlaced = service;
    else
        m_panel.showDetails(service);
}

WindowPlacement::Target PanelPlacement::target(QWidget &window) const
{
    WindowPlacement::Target target{window.windowTitle(), std::nullopt, window.size()};
    if (QGuiApplication::platformName() == u"xcb")
        target.x11Window = quint64(window.winId());
    return target;
}

void PanelPlacement::placed(const QString &title, const QPoint &topLeft)
{
    if (title != m_panel.windowTitle())
        return;
    // Qt cannot learn where the compositor put it: the details open against its rows
    m_placedAt = topLeft;
    m_panel.setPlacedAt(topLeft);
    if (const std::optional<QUuid> details = std::exchange(m_detailsWhenPlaced, std::nullopt))
        m_panel.showDetails(*details);
}
