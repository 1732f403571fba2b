#pragma once

#include "platform/windowplacement.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QUuid>

#include <memory>
#include <optional>

class PanelWindow;
class QWidget;

// Where the panel appears: as a popover next to the tray, or as the window standing in for
// it. Where the compositor places windows itself (sway), it is asked to put the panel there,
// and details opened with the panel wait until it has: Qt cannot learn where the compositor
// put a window, and the details open against the panel's rows.
class PanelPlacement : public QObject
{
    Q_OBJECT

public:
    // `placement` also says, where no window manager does, what the bars leave of a screen.
    PanelPlacement(PanelWindow &panel, std::unique_ptr<WindowPlacement> placement, QObject *parent = nullptr);
    ~PanelPlacement() override;

    // Next to the tray: at the anchor, or where the compositor says the pointer is; opened
    // from the menu (not `atPointer`), where the panel last was when the compositor placed it.
    void showAt(const QRect &anchor, bool atPointer = true);
    // What a click on the tray icon does: hides the open panel, else shows it at the anchor.
    void toggleAt(const QRect &anchor);
    // A service's details beside the panel shown just now.
    void showDetails(const QUuid &service);

private:
    WindowPlacement::Target target(QWidget &window) const;
    void placed(const QString &title, const QPoint &topLeft);

    PanelWindow &m_panel;
    std::unique_ptr<WindowPlacement> m_placement;
    // Where the compositor last put the panel.
    std::optional<QPoint> m_placedAt;
    // Details asked for, opened once the compositor has placed the panel.
    std::optional<QUuid> m_detailsWhenPlaced;
};

// A one-pixel anchor at a click position that a tray gave in device pixels; at the pointer
// when it gave none.
QRect clickAnchor(std::optional<QPoint> device);
