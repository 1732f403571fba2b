#include "platform/linux/dbuspublicservice.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>

namespace {

const QString kName = QStringLiteral("app.glinter.Glinter");
const QString kPath = QStringLiteral("/app/glinter/Glinter");
const QString kInterface = QStringLiteral("app.glinter.Glinter1");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");

QString errorName(PublicError::Kind kind)
{
    switch (kind) {
    case PublicError::Kind::NotSupported:
        return kInterface + QStringLiteral(".Error.NotSupported");
    case PublicError::Kind::UnknownService:
        return kInterface + QStringLiteral(".Error.UnknownService");
    }
    return kInterface + QStringLiteral(".Error.Failed");
}

void registerTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<QList<QVariantMap>>();
        return true;
    }();
    Q_UNUSED(registered)
}

QVariantMap propertyMap(const PublicState &state)
{
    return {
        {QStringLiteral("Indicator"), state.indicator},
        {QStringLiteral("Summary"), state.summary},
        {QStringLiteral("LastRefresh"), state.lastRefresh},
        {QStringLiteral("Services"), QVariant::fromValue(state.services)},
    };
}

// A property as it arrives: Services is still marshalled.
void apply(PublicState &state, const QString &name, const QVariant &value)
{
    if (name == QLatin1String("Indicator"))
        state.indicator = value.toString();
    else if (name == QLatin1String("Summary"))
        state.summary = value.toString();
    else if (name == QLatin1String("LastRefresh"))
        state.lastRefresh = value.toLongLong();
    else if (name == QLatin1String("Services") && value.canConvert<QDBusArgument>())
        state.services = qdbus_cast<QList<QVariantMap>>(value.value<QDBusArgument>());
}

} // namespace

void PublicObject::answer(const std::optional<PublicError> &error)
{
    if (error && calledFromDBus())
        sendErrorReply(errorName(error->kind), error->message);
}

DBusPublicService::DBusPublicService(const QDBusConnection &bus, QObject *parent)
    : PublicService(parent)
    , m_bus(bus)
    , m_object(new PublicObject(this))
{
    registerTypes();
}

DBusPublicService::~DBusPublicService()
{
    if (m_published) {
        m_bus.unregisterService(kName);
        m_bus.unregisterObject(kPath);
    }
}

bool DBusPublicService::publish(Requests requests)
{
    m_object->requests = std::move(requests);
    if (m_published || !m_bus.isConnected())
        return m_published;
    if (!m_bus.registerObject(kPath, m_object, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties))
        return false;
    // Not queued for the name and never taking it over: the instance lock decides who runs,
    // and a name held by another process stays with it.
    if (!m_bus.registerService(kName)) {
        m_bus.unregisterObject(kPath);
        return false;
    }
    m_published = true;
    return true;
}

void DBusPublicService::setState(const PublicState &state)
{
    const QVariantMap before = propertyMap(m_object->state);
    m_object->state = state;
    if (!m_published)
        return;
    QVariantMap changed;
    const QVariantMap after = propertyMap(state);
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        if (before.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    }
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(kPath, kProperties, QStringLiteral("PropertiesChanged"));
    signal << kInterface << changed << QStringList();
    m_bus.send(signal);
}

DBusPublicServiceClient::DBusPublicServiceClient(const QDBusConnection &bus, QObject *parent)
    : PublicServiceClient(parent)
    , m_bus(bus)
    , m_watcher(kName, bus, QDBusServiceWatcher::WatchForOwnerChange)
{
    registerTypes();
    connect(&m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &newOwner) { ownerSeen(!newOwner.isEmpty()); });
    m_bus.connect(kName, kPath, kProperties, QStringLiteral("PropertiesChanged"), this,
                  SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
    if (m_bus.isConnected() && m_bus.interface()->isServiceRegistered(kName).value()) {
        m_present = true;
        fetch();
    }
}

void DBusPublicServiceClient::ownerSeen(bool present)
{
    if (present == m_present) {
        // A new owner took over from the old one without a gap: read it afresh.
        if (present)
            fetch();
        return;
    }
    m_present = present;
    Q_EMIT ownerChanged(present);
    if (present)
        fetch();
}

void DBusPublicServiceClient::fetch()
{
    QDBusMessage call = QDBusMessage::createMethodCall(kName, kPath, kProperties, QStringLiteral("GetAll"));
    call << kInterface;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        const QDBusPendingReply<QVariantMap> reply = *finished;
        if (reply.isError() || !m_present)
            return;
        const QVariantMap properties = reply.value();
        for (auto it = properties.cbegin(); it != properties.cend(); ++it)
            apply(m_state, it.key(), it.value());
        Q_EMIT stateChanged(m_state);
    });
}

void DBusPublicServiceClient::propertiesChanged(const QString &interface, const QVariantMap &changed,
                                                const QStringList &)
{
    if (interface != kInterface || !m_present)
        return;
    for (auto it = changed.cbegin(); it != changed.cend(); ++it)
        apply(m_state, it.key(), it.value());
    Q_EMIT stateChanged(m_state);
}

std::unique_ptr<PublicService> makePublicService()
{
    return std::make_unique<DBusPublicService>();
}

std::unique_ptr<PublicServiceClient> makePublicServiceClient()
{
    return std::make_unique<DBusPublicServiceClient>();
}
