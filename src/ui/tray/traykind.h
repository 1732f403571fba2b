#pragma once

#include <memory>

class QSystemTrayIcon;
class StatusNotifierItem;

// Which tray carries the meter. A StatusNotifierItem tray whenever one holds our item; else an
// XEmbed tray, through Qt's QSystemTrayIcon, when one is there and Qt's icon is safe to make.
//
// Qt chooses between its own D-Bus tray and XEmbed once per process, the first time a
// QSystemTrayIcon is made or isSystemTrayAvailable() is asked: QGenericUnixTheme then asks
// the StatusNotifierWatcher whether a host is registered and keeps the answer for good. A
// QSystemTrayIcon made while a host is there would be a second StatusNotifierItem beside
// ours, and so would every later one. So isSystemTrayAvailable() is never called, and the
// first QSystemTrayIcon is made only after asking the watcher ourselves, just before and just
// after Qt does. No host before and none after means none when Qt asked (a host does not come
// and go within a round trip): Qt is on XEmbed for good, and later icons are safe. A host
// after leaves Qt's choice unknown: that icon is thrown away unshown and no other is ever
// made, our item (about to be hosted) carries the meter, and should only an XEmbed tray
// remain one day, the window stands in. What this relies on, by the order in which trays
// appear:
// - an XEmbed tray alone, or before any host: Qt on XEmbed; a host that comes later takes
//   the meter from it through our item;
// - a host first: our item only, Qt is never asked;
// - both at once (a panel such as Xfce's that offers both): the host is seen before Qt is
//   asked, or at the latest just after, and our item takes the meter either way.
class TrayKind
{
public:
    // What Qt has chosen for its QSystemTrayIcon, as far as this process knows.
    enum class QtTray { Undecided, XEmbed, Unsafe };

    // Qt chooses once per process: a second chooser in the same process starts where the
    // first one ended.
    explicit TrayKind(QtTray qtTray = QtTray::Undecided)
        : m_qtTray(qtTray)
    {
    }

    // Whether the meter belongs in the XEmbed tray: no host holds our item and it has given
    // up waiting for one, and an XEmbed tray is there.
    static bool wantsXEmbed(bool itemHosted, bool itemSettled, bool xembedPresent)
    {
        return !itemHosted && itemSettled && xembedPresent;
    }

    // Qt's icon for an XEmbed tray, or none where it would be a second StatusNotifierItem;
    // `item` tells whether the session has a host.
    std::unique_ptr<QSystemTrayIcon> makeQtIcon(StatusNotifierItem &item);

    QtTray qtTray() const { return m_qtTray; }

private:
    QtTray m_qtTray;
};
