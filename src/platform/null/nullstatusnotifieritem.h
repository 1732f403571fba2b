#pragma once

#include "platform/statusnotifieritem.h"

// Shows nothing and remembers what it was given; the test drives the tray's side:
// setHosted() as a tray takes or drops the item, activate() and the others as its clicks.
class NullStatusNotifierItem final : public StatusNotifierItem
{
    Q_OBJECT

public:
    using StatusNotifierItem::StatusNotifierItem;

    void setIcon(const QList<QImage> &images) override { m_icon = images; }
    void setTitle(const QString &title) override { m_title = title; }
    void setToolTip(const QString &toolTip) override { m_toolTip = toolTip; }
    void setMenu(const QList<MenuEntry> &entries) override { m_menu = entries; }

    bool isHosted() const override { return m_hosted; }
    bool isSettled() const override { return m_settled; }
    bool isHostAvailable() const override { return m_hosted; }
    bool askHostAvailable() override { return m_hosted; }

    void setHosted(bool hosted)
    {
        if (hosted == m_hosted)
            return;
        m_hosted = hosted;
        Q_EMIT hostedChanged(hosted);
    }
    // An item still looking for a tray (set before it is handed over), then done looking.
    void setSettled(bool settled)
    {
        m_settled = settled;
        if (settled)
            Q_EMIT StatusNotifierItem::settled();
    }
    void activate(std::optional<QPoint> position) { Q_EMIT activated(position); }
    void secondaryActivate(std::optional<QPoint> position) { Q_EMIT secondaryActivated(position); }
    void chooseMenuEntry(int index) { Q_EMIT menuTriggered(index); }

    QList<QImage> icon() const { return m_icon; }
    QString title() const { return m_title; }
    QString toolTip() const { return m_toolTip; }
    QList<MenuEntry> menu() const { return m_menu; }

private:
    QList<QImage> m_icon;
    QString m_title;
    QString m_toolTip;
    QList<MenuEntry> m_menu;
    bool m_hosted = false;
    bool m_settled = true;
};
