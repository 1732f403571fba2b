#pragma once

#include "platform/linux/statusnotifiertypes.h"
#include "platform/statusnotifieritem.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QTimer>

class DBusMenuExporter;
class QDBusServiceWatcher;
class StatusNotifierItemAdaptor;

// Whether a watcher's name for an item (in RegisteredStatusNotifierItems or
// StatusNotifierItemUnregistered) is the item on `uniqueName` or `serviceName`.
bool namesItem(const QString &entry, const QString &uniqueName, const QString &serviceName);

// The item as org.kde.StatusNotifierItem-<pid>-<n> on a session bus connection of its own,
// offered to every org.kde.StatusNotifierWatcher that takes the name: the one there at start,
// one that comes later and one that restarts, and again to a watcher that drops it while both
// run. It counts as hosted while the watcher holding it reports a tray (StatusNotifierHost).
//
// It registers its object path rather than its bus name: GNOME's AppIndicator extension
// watches an item registered by name, and when the name's first owner report reaches it
// after the item's properties it forgets Id and Menu, fails to read them again a second
// later and drops the item. A watcher that refuses or drops the path is offered the name.
class DBusStatusNotifierItem final : public StatusNotifierItem
{
    Q_OBJECT

public:
    explicit DBusStatusNotifierItem(QObject *parent = nullptr);
    ~DBusStatusNotifierItem() override;

    void setIcon(const QList<QImage> &images) override;
    void setTitle(const QString &title) override;
    void setToolTip(const QString &toolTip) override;
    void setMenu(const QList<MenuEntry> &entries) override;

    bool isHosted() const override { return m_hosted; }
    bool isSettled() const override { return m_settled; }
    bool isHostAvailable() const override { return m_hostAvailable; }
    bool askHostAvailable() override;

    QString serviceName() const { return m_service; }

    // What the adaptor publishes.
    QString title() const { return m_title; }
    QList<SniIconPixmap> iconPixmaps() const { return m_icon; }
    SniToolTip toolTip() const;

private Q_SLOTS:
    void onHostRegistered();
    void onHostUnregistered();
    void onItemUnregistered(const QString &entry);
    void onWatcherPropertiesChanged(const QString &interface, const QVariantMap &changed,
                                    const QStringList &invalidated);

private:
    void offer();
    void readHostAvailable();
    void loseWatcher();
    // The watcher let the item go while it runs on.
    void dropped();
    void update();
    void settle();

    QString m_service;
    QDBusConnection m_bus;
    StatusNotifierItemAdaptor *m_adaptor = nullptr;
    DBusMenuExporter *m_menu = nullptr;
    QDBusServiceWatcher *m_watcher = nullptr;

    QString m_title;
    QString m_toolTip;
    QList<SniIconPixmap> m_icon;

    // Answers to an earlier watcher (or an earlier offer) are dropped.
    quint64 m_attempt = 0;
    bool m_registered = false;
    bool m_hostAvailable = false;
    bool m_hosted = false;
    bool m_settled = false;
    // Registered under the bus name rather than the object path.
    bool m_byName = false;
    int m_dropsInARow = 0;
    QElapsedTimer m_registeredFor;
    QTimer m_reoffer;
};
