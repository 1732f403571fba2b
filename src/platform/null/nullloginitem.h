#pragma once

#include "platform/loginitem.h"

// Registers nothing; remembers the calls and can be told to fail.
class NullLoginItem : public LoginItem
{
public:
    Status status() const override { return m_status; }

    std::optional<QString> registerItem() override { return toggle(m_registerCalls, Status::Enabled); }
    std::optional<QString> unregisterItem() override { return toggle(m_unregisterCalls, Status::NotRegistered); }

    void setStatus(Status status) { m_status = status; }
    void failWith(std::optional<QString> reason) { m_failure = std::move(reason); }
    int registerCalls() const { return m_registerCalls; }
    int unregisterCalls() const { return m_unregisterCalls; }

private:
    std::optional<QString> toggle(int &calls, Status status)
    {
        ++calls;
        if (m_failure)
            return m_failure;
        m_status = status;
        return std::nullopt;
    }

    Status m_status = Status::NotRegistered;
    std::optional<QString> m_failure;
    int m_registerCalls = 0;
    int m_unregisterCalls = 0;
};
