#pragma once

#include "platform/linux/statusnotifiertypes.h"
#include "platform/statusnotifieritem.h"

#include <QDBusContext>
#include <QHash>
#include <QObject>

#include <functional>

// A flat menu published as com.canonical.dbusmenu, from which trays draw the item's menu.
// Item 0 is the root. An entry keeps its item id while its key stays in the menu, and a new
// key gets an id never used before: trays (GNOME's among them) keep what they read of an id
// and read only the ids they have not seen, or the properties they are told changed.
class DBusMenuExporter
    : public QObject
    , protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    using Clicked = std::function<void(int index)>;
    using BeforeShowing = std::function<void()>;

    DBusMenuExporter(Clicked clicked, BeforeShowing beforeShowing, QObject *parent = nullptr);

    void setEntries(const QList<StatusNotifierItem::MenuEntry> &entries);

    uint version() const { return 3; }
    QString textDirection() const;
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public Q_SLOTS:
    uint GetLayout(int parentId, int recursionDepth, const QStringList &propertyNames, DBusMenuLayout &layout);
    QList<DBusMenuItemProperties> GetGroupProperties(const QList<int> &ids, const QStringList &propertyNames);
    QDBusVariant GetProperty(int id, const QString &name);
    void Event(int id, const QString &eventId, const QDBusVariant &data, uint timestamp);
    QList<int> EventGroup(const QList<DBusMenuEvent> &events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors);

Q_SIGNALS:
    void ItemsPropertiesUpdated(const QList<DBusMenuItemProperties> &updated,
                                const QList<DBusMenuItemPropertyNames> &removed);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    bool exists(int id) const { return id == 0 || m_ids.contains(id); }
    QVariantMap properties(int id, const QStringList &names) const;
    static QVariantMap entryProperties(const StatusNotifierItem::MenuEntry &entry);
    // Acts on one event; false for an item that does not exist.
    bool handle(int id, const QString &eventId);
    void failUnknown(int id);
    bool refreshBeforeShowing();

    Clicked m_clicked;
    BeforeShowing m_beforeShowing;
    QList<StatusNotifierItem::MenuEntry> m_entries;
    // The item id of each entry, and of each key in the menu now.
    QList<int> m_ids;
    QHash<QString, int> m_idOfKey;
    int m_nextId = 1;
    uint m_revision = 1;
};
