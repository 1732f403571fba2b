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

private:
    QList<Posted> m_posted;
    Fallback m_fallback;
};
