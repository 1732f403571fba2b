#pragma once

#include "platform/linux/statusnotifiertypes.h"
#include "platform/statusnotifieritem.h"

#include <QDBusConnection>

class DBusMenuExporter;
class QDBusServiceWatcher;
class StatusNotifierItemAdaptor;

// The item as org.kde.StatusNotifierItem-<pid>-<n> on a session bus connection of its own,
// offered to every org.kde.StatusNotifierWatcher that takes the name: the one there at start,
// one that comes later and one that restarts. It counts as hosted while the watcher holding
// it reports a tray (StatusNotifierHost).
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

private:
    void offer();
    void readHostAvailable();
    void loseWatcher();
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
};
