#include "platform/linux/logindwakeobserver.h"

#include <QDBusConnection>

LogindWakeObserver::LogindWakeObserver(QObject *parent)
    : WakeObserver(parent)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
                SLOT(onPrepareForSleep(bool)));
}

void LogindWakeObserver::onPrepareForSleep(bool sleeping)
{
    if (!sleeping)
        Q_EMIT woke();
}
