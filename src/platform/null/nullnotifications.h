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
    int authorizationRequests() const { return m_authorizationRequests; }
    // What a click on "Mute for 1 Hour" of a notification about that service does.
    void invokeMute(const QUuid &serviceID) const;

private:
    QList<Notification> m_posted;
    int m_authorizationRequests = 0;
    Fallback m_fallback;
    MuteRequest m_muteRequest;
};
