#pragma once

#include "platform/xembedtray.h"

#include <QAbstractNativeEventFilter>

#include <xcb/xcb.h>

// Follows the owner of the _NET_SYSTEM_TRAY_S<screen> selection on Qt's own X connection:
// a tray that starts announces itself with a MANAGER message to the root window (where Qt
// already listens for structure events), and one that quits destroys its window.
class X11XEmbedTray final
    : public XEmbedTray
    , public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // Outside an X11 session (no QGuiApplication on xcb) it is never present.
    explicit X11XEmbedTray(QObject *parent = nullptr);

    bool isPresent() const override { return m_owner != XCB_WINDOW_NONE; }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void lookUp();

    xcb_connection_t *m_connection = nullptr;
    xcb_atom_t m_selection = XCB_ATOM_NONE;
    xcb_atom_t m_manager = XCB_ATOM_NONE;
    xcb_window_t m_owner = XCB_WINDOW_NONE;
};
