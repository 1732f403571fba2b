#include "platform/linux/x11xembedtray.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace {

struct FreeReply {
    void operator()(void *reply) const { std::free(reply); }
};

xcb_atom_t internAtom(xcb_connection_t *connection, const QByteArray &name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, false, uint16_t(name.size()), name.constData()), nullptr));
    return reply ? reply->atom : XCB_ATOM_NONE;
}

} // namespace

X11XEmbedTray::X11XEmbedTray(QObject *parent)
    : XEmbedTray(parent)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    m_connection = x11->connection();
    // the screen named by DISPLAY, as Qt connects to it
    int screen = 0;
    char *host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) == 0)
        screen = 0;
    std::free(host);
    m_selection = internAtom(m_connection, "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen));
    m_manager = internAtom(m_connection, "MANAGER");
    if (m_selection == XCB_ATOM_NONE || m_manager == XCB_ATOM_NONE)
        return;
    QCoreApplication::instance()->installNativeEventFilter(this);
    lookUp();
}

void X11XEmbedTray::lookUp()
{
    const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeReply> reply(
        xcb_get_selection_owner_reply(m_connection, xcb_get_selection_owner(m_connection, m_selection), nullptr));
    const xcb_window_t owner = reply ? reply->owner : XCB_WINDOW_NONE;
    if (owner == m_owner)
        return;
    const bool wasPresent = isPresent();
    m_owner = owner;
    if (owner != XCB_WINDOW_NONE) {
        // to hear of its end; the mask is this connection's, which Qt's own tracker of the
        // tray sets to the same value
        const std::unique_ptr<xcb_get_window_attributes_reply_t, FreeReply> attributes(
            xcb_get_window_attributes_reply(m_connection, xcb_get_window_attributes(m_connection, owner), nullptr));
        const uint32_t mask = (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, owner, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    if (isPresent() != wasPresent)
        Q_EMIT presentChanged(isPresent());
}

bool X11XEmbedTray::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    bool changed = false;
    switch (event->response_type & ~0x80) {
    case XCB_CLIENT_MESSAGE: {
        const auto *client = reinterpret_cast<const xcb_client_message_event_t *>(event);
        changed = client->type == m_manager && client->format == 32 && client->data.data32[1] == m_selection;
        break;
    }
    case XCB_DESTROY_NOTIFY:
        changed = reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window == m_owner;
        break;
    default:
        break;
    }
    // looked at once Qt has handled the event too: its own tray tracker reads the same
    if (changed)
        QMetaObject::invokeMethod(this, &X11XEmbedTray::lookUp, Qt::QueuedConnection);
    // never taken: Qt needs every event
    return false;
}

std::unique_ptr<XEmbedTray> makeXEmbedTray()
{
    return std::make_unique<X11XEmbedTray>();
}
