#include "platform/linux/dbusnotifications.h"

#include "core/webaddress.h"
#include "platform/urlopener.h"

#include "notificationsproxy.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

using namespace std::chrono_literals;

namespace {

QString defaultAction()
{
    return QStringLiteral("default");
}

QString muteAction()
{
    return QStringLiteral("mute-1h");
}

QString interfaceName()
{
    return QStringLiteral("org.freedesktop.Notifications");
}

// A daemon that keeps quiet this long is taken to have no capabilities worth waiting for;
// the notifications held for its answer go out (escaped).
constexpr std::chrono::milliseconds capabilitiesTimeout = 5s;

} // namespace

DBusNotifications::DBusNotifications(const QDBusConnection &bus, UrlOpener &opener, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_opener(opener)
    , m_proxy(new NotificationsProxy(serviceName(), objectPath(), m_bus, this))
{
    // Daemons broadcast their signals to every client. Any sender is listened to, because
    // the daemon is often started by the bus on the first call, after this object exists;
    // only a notification's own daemon is heard about it (see m_shown).
    m_bus.connect(QString(), objectPath(), interfaceName(), QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString, QDBusMessage)));
    m_bus.connect(QString(), objectPath(), interfaceName(), QStringLiteral("NotificationClosed"), this,
                  SLOT(onNotificationClosed(uint, uint, QDBusMessage)));
    auto *watcher = new QDBusServiceWatcher(serviceName(), m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &DBusNotifications::onOwnerChanged);
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

void DBusNotifications::post(const Notification &notification)
{
    if (!m_bus.isConnected()) {
        if (m_fallback)
            m_fallback(notification.title, notification.body, notification.page);
        return;
    }
    // Whether the body may be sent as written depends on the daemon: one that reads markup
    // would show a feed's tags and load its images. Posts wait, in order, for its answer.
    if (m_capabilities && m_waiting.isEmpty()) {
        send(notification, m_capabilities->bodyMarkup);
        return;
    }
    m_waiting.append(notification);
    if (!m_asking)
        askCapabilities();
}

void DBusNotifications::askCapabilities()
{
    m_asking = true;
    const QDBusMessage call = QDBusMessage::createMethodCall(serviceName(), objectPath(), interfaceName(),
                                                             QStringLiteral("GetCapabilities"));
    const QDBusPendingCall pending = m_bus.asyncCall(call, int(capabilitiesTimeout.count()));
    auto *watcher = new QDBusPendingCallWatcher(pending, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        onCapabilities(finished->reply());
    });
}

void DBusNotifications::onCapabilities(const QDBusMessage &reply)
{
    m_asking = false;
    // Without a usable answer bodies are escaped: a daemon without markup then shows a few
    // entities, one with markup never shows a feed's tags.
    bool bodyMarkup = true;
    const bool answered = reply.type() == QDBusMessage::ReplyMessage && reply.signature() == u"as";
    if (answered)
        bodyMarkup = reply.arguments().constFirst().toStringList().contains(QStringLiteral("body-markup"));
    // Kept for the daemon that answered, unless it had already handed the name on. An error
    // from the daemon itself (it lacks the method) is an answer too; errors from the bus
    // (no daemon, activation failed) and time-outs are asked again on the next post.
    const QString daemon = reply.service();
    const bool fromDaemon = daemon.startsWith(u':');
    if ((answered || fromDaemon) && (!m_owner || *m_owner == daemon))
        m_capabilities = Capabilities{daemon, bodyMarkup};

    const QList<Notification> waiting = std::exchange(m_waiting, {});
    for (const Notification &notification : waiting)
        send(notification, bodyMarkup);
}

void DBusNotifications::send(const Notification &notification, bool bodyMarkup)
{
    const QStringList actions{defaultAction(), QCoreApplication::translate("Notifications", "Open Status Page"),
                              muteAction(), QCoreApplication::translate("Notifications", "Mute for 1 Hour")};
    // The desktop entry lets the desktop show Glinter's icon and name, group its
    // notifications and offer its notification settings.
    const QVariantMap hints{
        {QStringLiteral("sound-name"), QStringLiteral("message-new-instant")},
        {QStringLiteral("category"), QStringLiteral("network")},
        {QStringLiteral("desktop-entry"), QStringLiteral(GLINTER_DESKTOP_ENTRY)},
    };
    // The summary is plain text for every daemon, so it goes as written.
    const QString body = bodyMarkup ? notification.body.toHtmlEscaped() : notification.body;
    // No replaced identifier: every alert is a notification of its own.
    QDBusPendingReply<uint> reply = m_proxy->Notify(QStringLiteral("Glinter"), 0, QStringLiteral(GLINTER_ICON_NAME),
                                                    notification.title, body, actions, hints, -1);
    auto *watcher = new QDBusPendingCallWatcher(reply, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, notification](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        const QDBusPendingReply<uint> answer = *finished;
        if (answer.isError()) {
            // No daemon on the bus, none that could be started, or one that is broken.
            if (m_fallback)
                m_fallback(notification.title, notification.body, notification.page);
            return;
        }
        m_shown.insert(Shown{answer.reply().service(), answer.value()}, notification);
    });
}

void DBusNotifications::onActionInvoked(uint id, const QString &actionKey, const QDBusMessage &message)
{
    // Identifiers count per daemon: the same number from another program, or from a daemon
    // that took over, is not ours.
    const auto found = m_shown.constFind(Shown{message.service(), id});
    if (found == m_shown.constEnd())
        return;
    if (actionKey == defaultAction())
        openWebPage(m_opener, found->page);
    else if (actionKey == muteAction() && m_muteRequest)
        m_muteRequest(found->serviceID);
}

void DBusNotifications::onNotificationClosed(uint id, uint, const QDBusMessage &message)
{
    m_shown.remove(Shown{message.service(), id});
}

void DBusNotifications::onOwnerChanged(const QString &, const QString &, const QString &newOwner)
{
    m_owner = newOwner;
    // Another daemon (or none): what the old one said no longer holds, and what it showed
    // is gone with it.
    if (m_capabilities && m_capabilities->daemon != newOwner)
        m_capabilities.reset();
    m_shown.removeIf([&newOwner](const auto &shown) { return shown.key().first != newOwner; });
}

std::unique_ptr<Notifications> makeNotifications(UrlOpener &opener)
{
    return std::make_unique<DBusNotifications>(QDBusConnection::sessionBus(), opener);
}
