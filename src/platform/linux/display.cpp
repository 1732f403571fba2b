#include "platform/display.h"

#include <QDir>
#include <QLocalSocket>

#include <xcb/xcb.h>

bool x11DisplayReachable(const QString &display)
{
    if (display.isEmpty())
        return false;
    const QByteArray name = display.toLocal8Bit();
    xcb_connection_t *connection = xcb_connect(name.constData(), nullptr);
    const bool reachable = connection && xcb_connection_has_error(connection) == 0;
    if (connection)
        xcb_disconnect(connection);
    return reachable;
}

bool waylandDisplayReachable(const QString &display, const QString &runtimeDirectory)
{
    if (display.isEmpty())
        return false;
    const QString path = QDir::isAbsolutePath(display) ? display : runtimeDirectory + u'/' + display;
    if (!QDir::isAbsolutePath(path))
        return false;
    QLocalSocket socket;
    socket.connectToServer(path);
    // a listening socket accepts at once; a stale one refuses at once
    return socket.waitForConnected(1000);
}
