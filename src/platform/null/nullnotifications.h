#pragma once

#include "platform/notifications.h"

#include <QList>

// Shows nothing and remembers what it was asked to show.
class NullNotifications : public Notifications
{
public:
    void requestAuthorization() override;
    void post(const Notification &notification) override;
    void setFallback(Fallback fallback) override;
    void setMuteRequest(MuteRequest request) override;

    QList<Notification> posted() const { return m_posted; }
    // What a click on "Mute for 1 Hour" of a notification about that service does.
    void invokeMute(const QUuid &serviceID) const;

private:
    QList<Notification> m_posted;
    Fallback m_fallback;
    MuteRequest m_muteRequest;
};
