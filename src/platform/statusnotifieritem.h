#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>

// An icon in the desktop's tray through the StatusNotifierItem protocol, with its menu: the
// tray of KDE Plasma, GNOME's AppIndicator extension, waybar and the Xfce panel. The item
// offers itself to every tray watcher that appears on the session, so a tray that starts
// after Glinter, or restarts, shows it at once.
class StatusNotifierItem : public QObject
{
    Q_OBJECT

public:
    // One line of the menu the tray draws (on a right click, or on any click for trays
    // such as GNOME's).
    struct MenuEntry {
        QString label;
        bool separator = false;
        // Shown dimmed, and not chosen.
        bool enabled = true;
        // A small picture before the label (PNG).
        QByteArray icon;
        // What a screen reader says for it, when the label alone says too little.
        QString accessibleDescription;
        // What it stays known as to the tray while its words change (a service's id); empty:
        // its label.
        QString key;

        bool operator==(const MenuEntry &) const = default;
    };

    using QObject::QObject;

    // The icon at several sizes; the tray picks the one that fits its panel.
    virtual void setIcon(const QList<QImage> &images) = 0;
    virtual void setTitle(const QString &title) = 0;
    virtual void setToolTip(const QString &toolTip) = 0;
    // A choice is reported by its index in `entries`.
    virtual void setMenu(const QList<MenuEntry> &entries) = 0;

    // Whether a tray shows the item now.
    virtual bool isHosted() const = 0;
    // Whether the first look for a tray has ended (with or without one): until then a tray
    // may be about to take the item, and a window standing in for it would only flash.
    virtual bool isSettled() const = 0;
    // Whether the session's watcher, as last heard, reports a tray, whether or not the item
    // is registered with it yet.
    virtual bool isHostAvailable() const = 0;
    // The same, asked now and waited for: what Qt asks once, for good, when it makes its
    // first QSystemTrayIcon.
    virtual bool askHostAvailable() = 0;

Q_SIGNALS:
    void hostedChanged(bool hosted);
    void settled();
    // A left click; `position` is where on the screen, in device pixels, when the tray says.
    void activated(std::optional<QPoint> position);
    // A middle click.
    void secondaryActivated(std::optional<QPoint> position);
    // A tray that draws no menu of its own asks for one at `position`.
    void contextMenuRequested(std::optional<QPoint> position);
    void menuTriggered(int index);
    // The tray is about to show the menu: a moment to bring it up to date.
    void menuAboutToShow();
};

// The item on the session bus; where the platform has no such trays, one that is never hosted.
std::unique_ptr<StatusNotifierItem> makeStatusNotifierItem();
