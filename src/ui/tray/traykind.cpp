#include "ui/tray/traykind.h"

#include "platform/statusnotifieritem.h"

#include <QSystemTrayIcon>

std::unique_ptr<QSystemTrayIcon> TrayKind::makeQtIcon(StatusNotifierItem &item)
{
    if (m_qtTray == QtTray::Unsafe)
        return nullptr;
    // asked now, not as last heard: a panel that starts announces its XEmbed tray and its
    // host at about the same moment, and our item may not have heard of the host yet
    if (m_qtTray == QtTray::Undecided && (item.isHostAvailable() || item.askHostAvailable()))
        return nullptr;
    auto icon = std::make_unique<QSystemTrayIcon>();
    if (m_qtTray == QtTray::Undecided) {
        m_qtTray = item.askHostAvailable() ? QtTray::Unsafe : QtTray::XEmbed;
        if (m_qtTray == QtTray::Unsafe)
            return nullptr;
    }
    return icon;
}
