#pragma once

#include "platform/publicbus.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusServiceWatcher>

// The exported object; Qt D-Bus answers Get and GetAll from its properties.
class PublicObject
    : public QObject
    , protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.glinter.Glinter1")
    Q_PROPERTY(QString Indicator READ indicator)
    Q_PROPERTY(QString Summary READ summary)
    Q_PROPERTY(qlonglong LastRefresh READ lastRefresh)
    Q_PROPERTY(QList<QVariantMap> Services READ services)

public:
    using QObject::QObject;

    QString indicator() const { return state.indicator; }
    QString summary() const { return state.summary; }
    qlonglong lastRefresh() const { return state.lastRefresh; }
    QList<QVariantMap> services() const { return state.services; }

    PublicService::Requests requests;
    PublicState state;

public Q_SLOTS:
    void Refresh()
    {
        if (requests.refresh)
            requests.refresh();
    }
    void ShowPanel() { answer(requests.showPanel ? requests.showPanel() : std::nullopt); }
    void Mute(const QString &id, uint seconds) { answer(requests.mute ? requests.mute(id, seconds) : std::nullopt); }
    void Unmute(const QString &id) { answer(requests.unmute ? requests.unmute(id) : std::nullopt); }

private:
    void answer(const std::optional<PublicError> &error);
};

// The public face with Qt D-Bus, on the bus given (the session bus by default).
class DBusPublicService : public PublicService
{
    Q_OBJECT

public:
    explicit DBusPublicService(const QDBusConnection &bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);
    ~DBusPublicService() override;

    bool publish(Requests requests) override;
    void setState(const PublicState &state) override;

private:
    QDBusConnection m_bus;
    PublicObject *m_object = nullptr;
    bool m_published = false;
};

class DBusPublicServiceClient : public PublicServiceClient
{
    Q_OBJECT

public:
    explicit DBusPublicServiceClient(const QDBusConnection &bus = QDBusConnection::sessionBus(),
                                     QObject *parent = nullptr);

    bool ownerPresent() const override { return m_present; }

private Q_SLOTS:
    void propertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &invalidated);

private:
    void ownerSeen(bool present);
    void fetch();

    QDBusConnection m_bus;
    QDBusServiceWatcher m_watcher;
    bool m_present = false;
    PublicState m_state;
};
