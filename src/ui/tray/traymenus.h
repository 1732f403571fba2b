#pragma once

#include "platform/statusnotifieritem.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

#include <functional>
#include <memory>

class QMenu;
class StatusMonitor;

// The tray's two menus, made from one list: the StatusNotifierItem's, which its host draws
// and which follows every refresh, and the QMenu of Qt's XEmbed icon, filled as it opens.
// Each is the glance (TrayMenu) and then the fixed entries.
class TrayMenus : public QObject
{
    Q_OBJECT

public:
    struct Entry {
        QString label; // none: a separator
        std::function<void()> run;
    };
    struct Setup {
        // After the glance; trays that deliver no left click still reach everything here.
        QList<Entry> fixed;
        // What the glance's lines open.
        std::function<void()> openPanel;
        std::function<void(const QUuid &service)> openService;
    };

    TrayMenus(const StatusMonitor &monitor, StatusNotifierItem &item, Setup setup, QObject *parent = nullptr);
    ~TrayMenus() override;

    // For Qt's icon, which does not own it.
    QMenu &qtMenu() { return *m_qtMenu; }

private:
    // The entries as both menus show them; the StatusNotifierItem's form too, when asked.
    QList<Entry> entries(QList<StatusNotifierItem::MenuEntry> *itemMenu) const;
    void updateItemMenu();
    void fillQtMenu();

    const StatusMonitor &m_monitor;
    StatusNotifierItem &m_item;
    Setup m_setup;
    // What the StatusNotifierItem's menu shows, entry for entry.
    QList<Entry> m_itemEntries;
    std::unique_ptr<QMenu> m_qtMenu;
};
