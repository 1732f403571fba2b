#pragma once

#include "platform/notifications.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>

class NotificationsProxy;

// Notifications through the desktop's org.freedesktop.Notifications service.
class DBusNotifications : public QObject, public Notifications
{
    Q_OBJECT

public:
    explicit DBusNotifications(const QDBusConnection &bus, QObject *parent = nullptr);
    ~DBusNotifications() override;

    // Nothing to ask: the desktop decides what it shows.
    void requestAuthorization() override {}
    void post(const QString &title, const QString &body, const QUrl &page) override;
    void setFallback(Fallback fallback) override { m_fallback = std::move(fallback); }

    static QString serviceName();
    static QString objectPath();

private Q_SLOTS:
    void onActionInvoked(uint id, const QString &actionKey);
    void onNotificationClosed(uint id, uint reason);

private:
    QDBusConnection m_bus;
    NotificationsProxy *m_proxy = nullptr;
    Fallback m_fallback;
    // The pages of the notifications still on screen, by the service's identifier.
    QHash<uint, QUrl> m_pages;
};
