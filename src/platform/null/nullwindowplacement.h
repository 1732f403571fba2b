#pragma once

#include "platform/windowplacement.h"

// A compositor that places windows by itself, or a test's record of what was asked.
class NullWindowPlacement final : public WindowPlacement
{
    Q_OBJECT

public:
    explicit NullWindowPlacement(bool available = false)
        : m_available(available)
    {
    }

    bool isAvailable() const override { return m_available; }
    void place(const Target &target, Choose choose) override
    {
        m_target = target;
        m_choose = std::move(choose);
    }

    void moveTo(const Target &target, const QPoint &topLeft) override
    {
        m_target = target;
        m_choose = [topLeft](const QPoint &, const QRect &, const QSize &) { return topLeft; };
    }

    void keepPlaced(const Target &target) override { m_target = target; }

    std::optional<QRect> usableArea(const QRect &screen) const override
    {
        return m_usable ? std::optional(m_usable->intersected(screen)) : std::nullopt;
    }
    // What the bars leave of every screen, as struts would tell.
    void setUsableArea(std::optional<QRect> usable) { m_usable = usable; }

    // The last window asked for, and its rule.
    const std::optional<Target> &target() const { return m_target; }
    const Choose &choose() const { return m_choose; }

private:
    bool m_available;
    std::optional<QRect> m_usable;
    std::optional<Target> m_target;
    Choose m_choose;
};
