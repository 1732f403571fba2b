#include "platform/linux/dbusmenuexporter.h"

#include <QDBusMessage>
#include <QGuiApplication>

DBusMenuExporter::DBusMenuExporter(Clicked clicked, BeforeShowing beforeShowing, QObject *parent)
    : QObject(parent)
    , m_clicked(std::move(clicked))
    , m_beforeShowing(std::move(beforeShowing))
{
}

void DBusMenuExporter::setEntries(const QList<StatusNotifierItem::MenuEntry> &entries)
{
    if (entries == m_entries)
        return;
    // keys in the new menu, unique: a repeated one is told apart by its rank
    QHash<QString, int> seen;
    QHash<QString, int> idOfKey;
    QList<int> ids;
    for (const StatusNotifierItem::MenuEntry &entry : entries) {
        QString key = entry.separator ? QStringLiteral("separator") : (entry.key.isEmpty() ? entry.label : entry.key);
        key += u'#' + QString::number(seen[key]++);
        const int id = m_idOfKey.value(key, 0) ? m_idOfKey.value(key) : m_nextId++;
        idOfKey.insert(key, id);
        ids.append(id);
    }

    // what changed in the items that stay
    QList<DBusMenuItemProperties> updated;
    QList<DBusMenuItemPropertyNames> removed;
    for (qsizetype i = 0; i < ids.size(); ++i) {
        const qsizetype before = m_ids.indexOf(ids.at(i));
        if (before < 0)
            continue;
        const QVariantMap was = entryProperties(m_entries.at(before));
        const QVariantMap now = entryProperties(entries.at(i));
        QVariantMap changed;
        for (auto it = now.cbegin(); it != now.cend(); ++it) {
            if (was.value(it.key()) != it.value())
                changed.insert(it.key(), it.value());
        }
        QStringList gone;
        for (auto it = was.cbegin(); it != was.cend(); ++it) {
            if (!now.contains(it.key()))
                gone.append(it.key());
        }
        if (!changed.isEmpty())
            updated.append({ids.at(i), changed});
        if (!gone.isEmpty())
            removed.append({ids.at(i), gone});
    }

    m_entries = entries;
    m_ids = ids;
    m_idOfKey = idOfKey;
    ++m_revision;
    if (!updated.isEmpty() || !removed.isEmpty())
        Q_EMIT ItemsPropertiesUpdated(updated, removed);
    Q_EMIT LayoutUpdated(m_revision, 0);
}

QString DBusMenuExporter::textDirection() const
{
    return QGuiApplication::layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr");
}

QVariantMap DBusMenuExporter::entryProperties(const StatusNotifierItem::MenuEntry &entry)
{
    QVariantMap all;
    if (entry.separator) {
        all.insert(QStringLiteral("type"), QStringLiteral("separator"));
    } else {
        // an underscore marks the access key; a label's own underscores are doubled
        QString label = entry.label;
        all.insert(QStringLiteral("label"), label.replace(u'_', QStringLiteral("__")));
        all.insert(QStringLiteral("enabled"), entry.enabled);
        if (!entry.icon.isEmpty())
            all.insert(QStringLiteral("icon-data"), entry.icon);
        if (!entry.accessibleDescription.isEmpty())
            all.insert(QStringLiteral("accessible-desc"), entry.accessibleDescription);
    }
    all.insert(QStringLiteral("visible"), true);
    return all;
}

QVariantMap DBusMenuExporter::properties(int id, const QStringList &names) const
{
    QVariantMap all;
    if (id == 0)
        all.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    else
        all = entryProperties(m_entries.at(m_ids.indexOf(id)));
    if (names.isEmpty())
        return all;
    QVariantMap chosen;
    for (const QString &name : names) {
        const auto found = all.constFind(name);
        if (found != all.cend())
            chosen.insert(name, *found);
    }
    return chosen;
}

uint DBusMenuExporter::GetLayout(int parentId, int recursionDepth, const QStringList &propertyNames,
                                 DBusMenuLayout &layout)
{
    if (!exists(parentId)) {
        failUnknown(parentId);
        return m_revision;
    }
    layout = DBusMenuLayout{parentId, properties(parentId, propertyNames), {}};
    // the menu is one level deep: only the root has children
    if (parentId == 0 && recursionDepth != 0) {
        for (int id : std::as_const(m_ids))
            layout.children.append(DBusMenuLayout{id, properties(id, propertyNames), {}});
    }
    return m_revision;
}

QList<DBusMenuItemProperties> DBusMenuExporter::GetGroupProperties(const QList<int> &ids,
                                                                   const QStringList &propertyNames)
{
    QList<int> wanted = ids;
    if (wanted.isEmpty())
        wanted = QList<int>{0} + m_ids;
    QList<DBusMenuItemProperties> items;
    for (int id : std::as_const(wanted)) {
        if (exists(id))
            items.append({id, properties(id, propertyNames)});
    }
    return items;
}

QDBusVariant DBusMenuExporter::GetProperty(int id, const QString &name)
{
    if (!exists(id)) {
        failUnknown(id);
        return {};
    }
    return QDBusVariant(properties(id, {}).value(name));
}

bool DBusMenuExporter::handle(int id, const QString &eventId)
{
    if (!exists(id))
        return false;
    const qsizetype index = m_ids.indexOf(id);
    if (index >= 0 && eventId == u"clicked" && !m_entries.at(index).separator && m_entries.at(index).enabled
        && m_clicked) {
        // after the reply: a choice such as Quit must not end the program inside the call (by
        // then a refresh may have moved the item, or taken it away)
        QMetaObject::invokeMethod(
            this,
            [this, id] {
                const qsizetype now = m_ids.indexOf(id);
                if (now >= 0)
                    m_clicked(int(now));
            },
            Qt::QueuedConnection);
    }
    return true;
}

void DBusMenuExporter::Event(int id, const QString &eventId, const QDBusVariant &, uint)
{
    if (!handle(id, eventId))
        failUnknown(id);
}

QList<int> DBusMenuExporter::EventGroup(const QList<DBusMenuEvent> &events)
{
    QList<int> unknown;
    for (const DBusMenuEvent &event : events) {
        if (!handle(event.id, event.eventId))
            unknown.append(event.id);
    }
    return unknown;
}

bool DBusMenuExporter::refreshBeforeShowing()
{
    // the owner brings the entries up to date (an "Updated 3 minutes ago" ages while the menu
    // is closed); whether the tray should read the layout again
    const uint before = m_revision;
    if (m_beforeShowing)
        m_beforeShowing();
    return m_revision != before;
}

bool DBusMenuExporter::AboutToShow(int id)
{
    if (!exists(id)) {
        failUnknown(id);
        return false;
    }
    return id == 0 && refreshBeforeShowing();
}

QList<int> DBusMenuExporter::AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors)
{
    for (int id : ids) {
        if (!exists(id))
            idErrors.append(id);
    }
    if (ids.contains(0) && refreshBeforeShowing())
        return {0};
    return {};
}

void DBusMenuExporter::failUnknown(int id)
{
    if (calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, QStringLiteral("No menu item %1").arg(id));
}
