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

    // The last window asked for, and its rule.
    const std::optional<Target> &target() const { return m_target; }
    const Choose &choose() const { return m_choose; }

private:
    bool m_available;
    std::optional<Target> m_target;
    Choose m_choose;
};
