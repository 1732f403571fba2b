#include "platform/linux/dbusstatusnotifieritem.h"

#include "platform/linux/dbusmenuexporter.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>

#include <algorithm>
#include <chrono>

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString watcherInterface = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString itemPath = QStringLiteral("/StatusNotifierItem");
const QString menuPath = QStringLiteral("/MenuBar");

// A watcher that does not answer within this is treated as absent (a new owner of its name
// gets the item again).
constexpr int answerTimeoutMs = 2000;

// A watcher that dropped the item while both run gets it again after this, doubled for each
// drop in a row, up to the last; an item that stays registered for a while starts over.
constexpr std::chrono::milliseconds firstReoffer{250};
constexpr std::chrono::milliseconds lastReoffer{std::chrono::seconds(30)};
constexpr std::chrono::seconds settledRegistration{10};

std::optional<QPoint> position(int x, int y)
{
    // hosts that cannot tell where the click was (Wayland's) send 0, 0
    if (x == 0 && y == 0)
        return std::nullopt;
    return QPoint(x, y);
}

QDBusMessage hostRegisteredQuery()
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcherService, watcherPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << watcherInterface << QStringLiteral("IsStatusNotifierHostRegistered");
    return get;
}

} // namespace

bool namesItem(const QString &entry, const QString &uniqueName, const QString &serviceName)
{
    // watchers name an item by its bus name, alone or followed by its path ("/path" or
    // "@/path"), and by the unique name when it registered a path
    for (const QString &name : {uniqueName, serviceName}) {
        if (name.isEmpty() || !entry.startsWith(name))
            continue;
        const QStringView rest = QStringView(entry).mid(name.size());
        if (rest.isEmpty() || rest.startsWith(u'/') || rest.startsWith(u'@'))
            return true;
    }
    return false;
}

// org.kde.StatusNotifierItem on the item's object.
class StatusNotifierItemAdaptor : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ noName)
    Q_PROPERTY(QString IconName READ noName)
    Q_PROPERTY(QList<SniIconPixmap> IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ noName)
    Q_PROPERTY(QList<SniIconPixmap> OverlayIconPixmap READ noPixmap)
    Q_PROPERTY(QString AttentionIconName READ noName)
    Q_PROPERTY(QList<SniIconPixmap> AttentionIconPixmap READ noPixmap)
    Q_PROPERTY(QString AttentionMovieName READ noName)
    Q_PROPERTY(SniToolTip ToolTip READ toolTip)
    // What a screen reader says for the icon: its tooltip, the state in words. GNOME's
    // AppIndicator extension reads it with every NewIcon.
    Q_PROPERTY(QString IconAccessibleDesc READ iconAccessibleDesc)
    Q_PROPERTY(QString AttentionAccessibleDesc READ noName)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)

public:
    explicit StatusNotifierItemAdaptor(DBusStatusNotifierItem *item)
        : QDBusAbstractAdaptor(item)
        , m_item(item)
    {
    }

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return QStringLiteral("glinter"); }
    QString title() const { return m_item->title(); }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString noName() const { return {}; }
    QList<SniIconPixmap> iconPixmap() const { return m_item->iconPixmaps(); }
    QList<SniIconPixmap> noPixmap() const { return {}; }
    SniToolTip toolTip() const { return m_item->toolTip(); }
    QString iconAccessibleDesc() const { return m_item->toolTip().title; }
    // a left click is ours (the panel); the menu comes with a right click
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const { return QDBusObjectPath(menuPath); }

public Q_SLOTS:
    void Activate(int x, int y) { Q_EMIT m_item->activated(position(x, y)); }
    void SecondaryActivate(int x, int y) { Q_EMIT m_item->secondaryActivated(position(x, y)); }
    void ContextMenu(int x, int y) { Q_EMIT m_item->contextMenuRequested(position(x, y)); }
    void Scroll(int, const QString &) { }

Q_SIGNALS:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString &status);

private:
    DBusStatusNotifierItem *m_item;
};

DBusStatusNotifierItem::DBusStatusNotifierItem(QObject *parent)
    : StatusNotifierItem(parent)
    , m_service([] {
        static int made = 0;
        return QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(QCoreApplication::applicationPid()).arg(++made);
    }())
    // a connection of its own: its object paths never meet another item's, nor those of a
    // QSystemTrayIcon Qt puts on the bus
    , m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_service))
    , m_title(QStringLiteral("Glinter"))
{
    registerStatusNotifierTypes();
    m_adaptor = new StatusNotifierItemAdaptor(this);
    m_menu = new DBusMenuExporter([this](int index) { Q_EMIT menuTriggered(index); },
                                  [this] { Q_EMIT menuAboutToShow(); }, this);
    // the objects before the name: a watcher reads them as soon as it is told the name
    if (!m_bus.isConnected() || !m_bus.registerObject(itemPath, this, QDBusConnection::ExportAdaptors)
        || !m_bus.registerObject(menuPath, m_menu,
                                 QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals
                                     | QDBusConnection::ExportAllProperties)
        || !m_bus.registerService(m_service)) {
        settle();
        return;
    }

    m_watcher = new QDBusServiceWatcher(watcherService, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &newOwner) {
                if (newOwner.isEmpty())
                    loseWatcher();
                else
                    offer();
            });
    // subscribed through the well-known name: they come from whoever owns it at the time
    m_bus.connect(watcherService, watcherPath, watcherInterface, QStringLiteral("StatusNotifierHostRegistered"), this,
                  SLOT(onHostRegistered()));
    m_bus.connect(watcherService, watcherPath, watcherInterface, QStringLiteral("StatusNotifierHostUnregistered"), this,
                  SLOT(onHostUnregistered()));
    m_bus.connect(watcherService, watcherPath, watcherInterface, QStringLiteral("StatusNotifierItemUnregistered"), this,
                  SLOT(onItemUnregistered(QString)));
    m_bus.connect(watcherService, watcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                  QStringLiteral("PropertiesChanged"), this,
                  SLOT(onWatcherPropertiesChanged(QString, QVariantMap, QStringList)));
    m_reoffer.setSingleShot(true);
    connect(&m_reoffer, &QTimer::timeout, this, &DBusStatusNotifierItem::offer);
    offer();
}

DBusStatusNotifierItem::~DBusStatusNotifierItem()
{
    // the watcher drops the item when its name goes
    m_bus.unregisterService(m_service);
    m_bus.unregisterObject(menuPath);
    m_bus.unregisterObject(itemPath);
    QDBusConnection::disconnectFromBus(m_service);
}

void DBusStatusNotifierItem::offer()
{
    m_reoffer.stop();
    const quint64 attempt = ++m_attempt;
    QDBusMessage call = QDBusMessage::createMethodCall(watcherService, watcherPath, watcherInterface,
                                                       QStringLiteral("RegisterStatusNotifierItem"));
    call << (m_byName ? m_service : itemPath);
    auto *pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call, answerTimeoutMs), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, attempt](QDBusPendingCallWatcher *answer) {
        answer->deleteLater();
        if (attempt != m_attempt)
            return;
        m_registered = !answer->isError();
        if (!m_registered) {
            // no watcher yet (it is offered the item when it comes), or one that does not
            // answer; any other refusal may be of the path
            const QString error = answer->error().name();
            const bool absent = error == u"org.freedesktop.DBus.Error.ServiceUnknown"
                                || error == u"org.freedesktop.DBus.Error.NoReply"
                                || error == u"org.freedesktop.DBus.Error.Timeout";
            if (!absent && !m_byName) {
                m_byName = true;
                offer();
                return;
            }
            update();
            settle();
            return;
        }
        m_registeredFor.start();
        readHostAvailable();
    });
}

void DBusStatusNotifierItem::onItemUnregistered(const QString &entry)
{
    if (m_registered && namesItem(entry, m_bus.baseService(), m_service))
        dropped();
}

void DBusStatusNotifierItem::onWatcherPropertiesChanged(const QString &interface, const QVariantMap &changed,
                                                        const QStringList &)
{
    const auto items = changed.constFind(QStringLiteral("RegisteredStatusNotifierItems"));
    if (!m_registered || interface != watcherInterface || items == changed.cend())
        return;
    const QStringList entries = qdbus_cast<QStringList>(*items);
    const QString unique = m_bus.baseService();
    if (std::none_of(entries.cbegin(), entries.cend(),
                     [&](const QString &entry) { return namesItem(entry, unique, m_service); }))
        dropped();
}

void DBusStatusNotifierItem::dropped()
{
    ++m_attempt;
    m_registered = false;
    update();
    if (m_registeredFor.isValid() && std::chrono::milliseconds(m_registeredFor.elapsed()) >= settledRegistration)
        m_dropsInARow = 0;
    // the other form of registration, in case this one is what the watcher could not use
    m_byName = !m_byName;
    const std::chrono::milliseconds delay = std::min<std::chrono::milliseconds>(
        firstReoffer * (qint64(1) << std::min(m_dropsInARow, 8)), lastReoffer);
    ++m_dropsInARow;
    m_reoffer.start(delay);
}

void DBusStatusNotifierItem::readHostAvailable()
{
    const quint64 attempt = m_attempt;
    auto *pending = new QDBusPendingCallWatcher(m_bus.asyncCall(hostRegisteredQuery(), answerTimeoutMs), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, attempt](QDBusPendingCallWatcher *answer) {
        answer->deleteLater();
        if (attempt != m_attempt)
            return;
        const QDBusMessage reply = answer->reply();
        m_hostAvailable = reply.type() == QDBusMessage::ReplyMessage
                          && reply.arguments().value(0).value<QDBusVariant>().variant().toBool();
        update();
        settle();
    });
}

bool DBusStatusNotifierItem::askHostAvailable()
{
    if (!m_bus.isConnected())
        return false;
    const QDBusMessage reply = m_bus.call(hostRegisteredQuery(), QDBus::Block, answerTimeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        // a watcher too slow to answer may still have answered Qt
        const QString error = reply.errorName();
        return error == u"org.freedesktop.DBus.Error.NoReply" || error == u"org.freedesktop.DBus.Error.Timeout";
    }
    return reply.arguments().value(0).value<QDBusVariant>().variant().toBool();
}

void DBusStatusNotifierItem::onHostRegistered()
{
    m_hostAvailable = true;
    update();
}

void DBusStatusNotifierItem::onHostUnregistered()
{
    // another tray may still be there
    readHostAvailable();
}

void DBusStatusNotifierItem::loseWatcher()
{
    m_reoffer.stop();
    m_dropsInARow = 0;
    m_byName = false;
    ++m_attempt;
    m_registered = false;
    m_hostAvailable = false;
    update();
}

void DBusStatusNotifierItem::update()
{
    const bool hosted = m_registered && m_hostAvailable;
    if (hosted == m_hosted)
        return;
    m_hosted = hosted;
    Q_EMIT hostedChanged(hosted);
}

void DBusStatusNotifierItem::settle()
{
    if (m_settled)
        return;
    m_settled = true;
    Q_EMIT settled();
}

void DBusStatusNotifierItem::setIcon(const QList<QImage> &images)
{
    m_icon.clear();
    for (const QImage &image : images)
        m_icon.append(SniIconPixmap::fromImage(image));
    Q_EMIT m_adaptor->NewIcon();
}

void DBusStatusNotifierItem::setTitle(const QString &title)
{
    if (title == m_title)
        return;
    m_title = title;
    Q_EMIT m_adaptor->NewTitle();
}

void DBusStatusNotifierItem::setToolTip(const QString &toolTip)
{
    if (toolTip == m_toolTip)
        return;
    m_toolTip = toolTip;
    Q_EMIT m_adaptor->NewToolTip();
}

void DBusStatusNotifierItem::setMenu(const QList<MenuEntry> &entries)
{
    m_menu->setEntries(entries);
}

SniToolTip DBusStatusNotifierItem::toolTip() const
{
    return SniToolTip{QString(), {}, m_toolTip, QString()};
}

std::unique_ptr<StatusNotifierItem> makeStatusNotifierItem()
{
    return std::make_unique<DBusStatusNotifierItem>();
}

#include "dbusstatusnotifieritem.moc"
