#pragma once

#include "platform/reachability.h"
#include "platform/wakeobserver.h"

// Test doubles that the test drives: setOnline() reports an update, wake() a wake-up.
class NullReachability final : public Reachability
{
    Q_OBJECT

public:
    using Reachability::Reachability;

    bool isOnline() const override { return m_online; }

    void setOnline(bool online)
    {
        m_online = online;
        Q_EMIT updated(online);
    }

private:
    bool m_online = true;
};

class NullWakeObserver final : public WakeObserver
{
    Q_OBJECT

public:
    using WakeObserver::WakeObserver;

    void wake() { Q_EMIT woke(); }
};
