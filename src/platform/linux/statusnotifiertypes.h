#pragma once

#include <QByteArray>
#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class QImage;

// The structures of the StatusNotifierItem and com.canonical.dbusmenu interfaces, as Qt
// D-Bus marshals them. registerStatusNotifierTypes() must run before an object using them
// is exported. Slots and signals spell their lists QList<…>: Qt D-Bus finds the type of a
// parameter by the name written there, and an alias's name is not registered, so a method
// taking one would silently be left out of the interface.

// One size of an icon, (iiay): ARGB32 pixels in network byte order.
struct SniIconPixmap {
    int width = 0;
    int height = 0;
    QByteArray pixels;

    static SniIconPixmap fromImage(const QImage &image);
};

// (sa(iiay)ss): icon name, icon, title, text.
struct SniToolTip {
    QString iconName;
    QList<SniIconPixmap> icon;
    QString title;
    QString text;
};

// A menu item and its children, (ia{sv}av): each child travels as a variant of the same.
struct DBusMenuLayout {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayout> children;
};

// (ia{sv})
struct DBusMenuItemProperties {
    int id = 0;
    QVariantMap properties;
};

// (ias)
struct DBusMenuItemPropertyNames {
    int id = 0;
    QStringList names;
};

// (isvu)
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};

Q_DECLARE_METATYPE(SniIconPixmap)
Q_DECLARE_METATYPE(SniToolTip)
Q_DECLARE_METATYPE(DBusMenuLayout)
Q_DECLARE_METATYPE(DBusMenuItemProperties)
Q_DECLARE_METATYPE(DBusMenuItemPropertyNames)
Q_DECLARE_METATYPE(DBusMenuEvent)

QDBusArgument &operator<<(QDBusArgument &argument, const SniIconPixmap &pixmap);
const QDBusArgument &operator>>(const QDBusArgument &argument, SniIconPixmap &pixmap);
QDBusArgument &operator<<(QDBusArgument &argument, const SniToolTip &toolTip);
const QDBusArgument &operator>>(const QDBusArgument &argument, SniToolTip &toolTip);
QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuLayout &layout);
const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuLayout &layout);
QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuItemProperties &item);
const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuItemProperties &item);
QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuItemPropertyNames &item);
const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuItemPropertyNames &item);
QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuEvent &event);
const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuEvent &event);

void registerStatusNotifierTypes();
