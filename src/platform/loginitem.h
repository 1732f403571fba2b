#pragma once

#include <QString>

#include <memory>
#include <optional>

// Starting Glinter with the user's desktop session (launch at login).
class LoginItem
{
public:
    enum class Status {
        Enabled,
        // Nothing registered.
        NotRegistered,
        // Registered, but switched off by the desktop (the session's own start-up settings).
        Disabled,
    };

    virtual ~LoginItem() = default;

    virtual Status status() const = 0;
    // Registers the installed program; returns why it failed.
    virtual std::optional<QString> registerItem() = 0;
    // Removes the registration; returns why it failed.
    virtual std::optional<QString> unregisterItem() = 0;

    bool isEnabled() const { return status() == Status::Enabled; }

    // The launch-at-login switch: registers only when not already enabled, unregisters only
    // when enabled. A failure is written to the log as one line and otherwise dropped.
    void setEnabled(bool enabled);
};

// The platform's launch-at-login registration.
std::unique_ptr<LoginItem> makeLoginItem();
