#include "platform/null/nullnotifications.h"

void NullNotifications::requestAuthorization()
{
    ++m_authorizationRequests;
}

void NullNotifications::post(const Notification &notification)
{
    m_posted.append(notification);
}

void NullNotifications::setFallback(Fallback fallback)
{
    m_fallback = std::move(fallback);
}

void NullNotifications::setMuteRequest(MuteRequest request)
{
    m_muteRequest = std::move(request);
}

void NullNotifications::invokeMute(const QUuid &serviceID) const
{
    if (m_muteRequest)
        m_muteRequest(serviceID);
}
