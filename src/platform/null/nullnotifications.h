#pragma once

#include "platform/notifications.h"

#include <QList>

// Shows nothing and remembers what it was asked to show.
class NullNotifications : public Notifications
{
public:
    struct Posted {
        QString title;
        QString body;
        QUrl page;

        bool operator==(const Posted &) const = default;
    };

    void requestAuthorization() override;
    void post(const QString &title, const QString &body, const QUrl &page) override;
    void setFallback(Fallback fallback) override;

    QList<Posted> posted() const { return m_posted; }
    int authorizationRequests() const { return m_authorizationRequests; }
    void clear() { m_posted.clear(); }

private:
    QList<Posted> m_posted;
    int m_authorizationRequests = 0;
    Fallback m_fallback;
};
