#include "platform/null/nullnotifications.h"

void NullNotifications::requestAuthorization() { }

void NullNotifications::post(const QString &title, const QString &body, const QUrl &page)
{
    m_posted.append({title, body, page});
}

void NullNotifications::setFallback(Fallback fallback)
{
    m_fallback = std::move(fallback);
}
