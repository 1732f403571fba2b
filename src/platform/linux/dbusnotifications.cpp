#include "platform/linux/dbusnotifications.h"

#include "core/webaddress.h"
#include "notificationsproxy.h"
#include "platform/urlopener.h"

#include <QCoreApplication>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

QString defaultAction()
{
    return QStringLiteral("default");
}

QString interfaceName()
{
    return QStringLiteral("org.freedesktop.Notifications");
}

} // namespace

DBusNotifications::DBusNotifications(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_proxy(new NotificationsProxy(serviceName(), objectPath(), m_bus, this))
{
    // Signals are taken from whoever owns the service name at the time: the daemon is often
    // started by the bus on the first call, after this object exists. Only identifiers of
    // our own notifications are acted upon.
    m_bus.connect(QString(), objectPath(), interfaceName(), QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint,QString)));
    m_bus.connect(QString(), objectPath(), interfaceName(), QStringLiteral("NotificationClosed"), this,
                  SLOT(onNotificationClosed(uint,uint)));
}

DBusNotifications::~DBusNotifications() = default;

QString DBusNotifications::serviceName()
{
    return QStringLiteral("org.freedesktop.Notifications");
}

QString DBusNotifications::objectPath()
{
    return QStringLiteral("/org/freedesktop/Notifications");
}

void DBusNotifications::post(const QString &title, const QString &body, const QUrl &page)
{
    if (!m_bus.isConnected()) {
        if (m_fallback)
            m_fallback(title, body, page);
        return;
    }

    const QStringList actions{defaultAction(),
                              QCoreApplication::translate("Notifications", "Open Status Page")};
    const QVariantMap hints{
        {QStringLiteral("sound-name"), QStringLiteral("message-new-instant")},
        {QStringLiteral("category"), QStringLiteral("network")},
    };
    // No replaced identifier: every alert is a notification of its own.
    QDBusPendingReply<uint> reply = m_proxy->Notify(QStringLiteral("Glinter"), 0, QString(), title, body,
                                                    actions, hints, -1);
    auto *watcher = new QDBusPendingCallWatcher(reply, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, title, body, page](QDBusPendingCallWatcher *finished) {
                finished->deleteLater();
                const QDBusPendingReply<uint> answer = *finished;
                if (answer.isError()) {
                    // No daemon on the bus, none that could be started, or one that is broken.
                    if (m_fallback)
                        m_fallback(title, body, page);
                    return;
                }
                if (isWebAddress(page))
                    m_pages.insert(answer.value(), page);
            });
}

void DBusNotifications::onActionInvoked(uint id, const QString &actionKey)
{
    if (actionKey != defaultAction())
        return;
    const auto found = m_pages.constFind(id);
    if (found != m_pages.constEnd())
        openWebPage(*found);
}

void DBusNotifications::onNotificationClosed(uint id, uint)
{
    m_pages.remove(id);
}

std::unique_ptr<Notifications> makeNotifications()
{
    return std::make_unique<DBusNotifications>(QDBusConnection::sessionBus());
}
