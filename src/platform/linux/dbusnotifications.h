#pragma once

#include "platform/notifications.h"

#include <QDBusConnection>
#include <QHash>
#include <QList>
#include <QObject>

#include <optional>
#include <utility>

class NotificationsProxy;
class UrlOpener;
class QDBusMessage;

// Notifications through the desktop's org.freedesktop.Notifications service.
class DBusNotifications
    : public QObject
    , public Notifications
{
    Q_OBJECT

public:
    DBusNotifications(const QDBusConnection &bus, UrlOpener &opener, QObject *parent = nullptr);
    ~DBusNotifications() override;

    // Nothing to ask: the desktop decides what it shows.
    void requestAuthorization() override { }
    void post(const Notification &notification) override;
    void setFallback(Fallback fallback) override { m_fallback = std::move(fallback); }
    void setMuteRequest(MuteRequest request) override { m_muteRequest = std::move(request); }

    static QString serviceName();
    static QString objectPath();

private Q_SLOTS:
    void onActionInvoked(uint id, const QString &actionKey, const QDBusMessage &message);
    void onNotificationClosed(uint id, uint reason, const QDBusMessage &message);
    void onOwnerChanged(const QString &name, const QString &oldOwner, const QString &newOwner);

private:
    void askCapabilities();
    void onCapabilities(const QDBusMessage &reply);
    void send(const Notification &notification, bool bodyMarkup);

    // A notification on screen: the daemon's unique bus name and its identifier there.
    using Shown = std::pair<QString, uint>;

    // What one daemon, by its unique bus name, said it shows.
    struct Capabilities {
        QString daemon;
        bool bodyMarkup = true;
    };

    QDBusConnection m_bus;
    UrlOpener &m_opener;
    NotificationsProxy *m_proxy = nullptr;
    Fallback m_fallback;
    MuteRequest m_muteRequest;
    std::optional<Capabilities> m_capabilities;
    // The owner of the service name as last announced; unknown until it first changes.
    std::optional<QString> m_owner;
    bool m_asking = false;
    // Posted while the capabilities are asked for, in order.
    QList<Notification> m_waiting;
    // Our notifications still on screen, for their actions.
    QHash<Shown, Notification> m_shown;
};
