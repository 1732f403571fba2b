// Runs on a private session bus, where the test plays the tray's side (the
// StatusNotifierWatcher and the host that draws the item) through connections of its own.
#include "platform/statusnotifieritem.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

const QString watcherService = u"org.kde.StatusNotifierWatcher"_s;
const QString itemInterface = u"org.kde.StatusNotifierItem"_s;

// Like GNOME's and KDE's watcher, it takes an item's object path from the caller's unique name.
class FakeWatcher
    : public QObject
    , protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered MEMBER host)

public:
    bool host = false;
    bool refusesPaths = false;
    // The bus names of the items as they were registered, and what they were registered with.
    QStringList registered;
    QStringList asked;

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString &service)
    {
        asked.append(service);
        if (!service.startsWith(u'/')) {
            registered.append(service);
        } else if (refusesPaths) {
            sendErrorReply(QDBusError::InvalidArgs, u"not a bus name"_s);
        } else {
            registered.append(message().service());
        }
    }

Q_SIGNALS:
    void StatusNotifierHostRegistered();
    void StatusNotifierHostUnregistered();
    void StatusNotifierItemUnregistered(const QString &service);
};

// The watcher on a connection of its own, made, run and ended in a thread of its own, so that
// it answers while the item waits for it.
class RunningWatcher
{
public:
    RunningWatcher(const QString &name, bool host, bool refusesPaths)
        : m_name(name)
    {
        m_thread.start();
        m_context.moveToThread(&m_thread);
        inThread([&] {
            m_watcher = new FakeWatcher;
            m_watcher->host = host;
            m_watcher->refusesPaths = refusesPaths;
            QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_name);
            bus.registerObject(u"/StatusNotifierWatcher"_s, m_watcher,
                               QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals
                                   | QDBusConnection::ExportAllProperties);
            m_started = bus.registerService(watcherService);
        });
    }
    ~RunningWatcher()
    {
        inThread([this] {
            QDBusConnection::disconnectFromBus(m_name);
            delete m_watcher;
        });
        m_thread.quit();
        m_thread.wait();
    }

    bool started() const { return m_started; }
    QStringList registered() { return copy(&FakeWatcher::registered); }
    QStringList asked() { return copy(&FakeWatcher::asked); }
    // Lets the last item go as GNOME's extension names it, "<unique name>@<path>".
    void dropLast()
    {
        inThread([this] {
            Q_EMIT m_watcher->StatusNotifierItemUnregistered(m_watcher->registered.takeLast()
                                                             + u"@/StatusNotifierItem"_s);
        });
    }
    void setHost(bool host)
    {
        inThread([this, host] {
            m_watcher->host = host;
            if (host)
                Q_EMIT m_watcher->StatusNotifierHostRegistered();
            else
                Q_EMIT m_watcher->StatusNotifierHostUnregistered();
        });
    }

private:
    template<typename Function>
    void inThread(Function function)
    {
        QMetaObject::invokeMethod(&m_context, function, Qt::BlockingQueuedConnection);
    }

    QStringList copy(QStringList FakeWatcher::*list)
    {
        QStringList copied;
        inThread([&] { copied = m_watcher->*list; });
        return copied;
    }

    QString m_name;
    QThread m_thread;
    QObject m_context;
    FakeWatcher *m_watcher = nullptr;
    bool m_started = false;
};

// One click of an EventGroup call, (isvu); only ever sent, never read back.
struct MenuClick {
    int id = 0;
};

QDBusArgument &operator<<(QDBusArgument &argument, const MenuClick &click)
{
    argument.beginStructure();
    argument << click.id << u"clicked"_s << QDBusVariant(0) << 0u;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, MenuClick &)
{
    return argument;
}

// One size of an icon, (iiay).
struct Pixmap {
    QSize size;
    QByteArray pixels;
};

QList<Pixmap> readPixmaps(const QDBusArgument &argument)
{
    QList<Pixmap> pixmaps;
    argument.beginArray();
    while (!argument.atEnd()) {
        int width = 0;
        int height = 0;
        QByteArray pixels;
        argument.beginStructure();
        argument >> width >> height >> pixels;
        argument.endStructure();
        pixmaps.append({QSize(width, height), pixels});
    }
    argument.endArray();
    return pixmaps;
}

// One item of a dbusmenu layout, read without Glinter's own types.
struct MenuLine {
    int id = 0;
    QVariantMap properties;
};

QList<MenuLine> readLayout(const QDBusArgument &argument)
{
    QList<MenuLine> lines;
    MenuLine line;
    argument.beginStructure();
    argument >> line.id >> line.properties;
    lines.append(line);
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        lines.append(readLayout(child.variant().value<QDBusArgument>()));
    }
    argument.endArray();
    argument.endStructure();
    return lines;
}

} // namespace

class TestStatusNotifierItem : public QObject
{
    Q_OBJECT

    // the host's side: it reads the item and clicks it
    QDBusConnection m_host = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"host"_s);
    int m_watchers = 0;
    int m_signals = 0;

    std::unique_ptr<RunningWatcher> startWatcher(bool host, bool refusesPaths = false)
    {
        auto watcher = std::make_unique<RunningWatcher>(u"watcher%1"_s.arg(++m_watchers), host, refusesPaths);
        return watcher->started() ? std::move(watcher) : nullptr;
    }

    QDBusMessage call(const QString &service, const QString &path, const QString &interface, const QString &method,
                      const QVariantList &arguments)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
        message.setArguments(arguments);
        return m_host.call(message, QDBus::BlockWithGui);
    }

    QVariant property(const QString &service, const QString &name)
    {
        const QDBusMessage reply = call(service, u"/StatusNotifierItem"_s, u"org.freedesktop.DBus.Properties"_s,
                                        u"Get"_s, {itemInterface, name});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    QString menuPath(const QString &service) { return property(service, u"Menu"_s).value<QDBusObjectPath>().path(); }

    QDBusMessage callMenu(const QString &service, const QString &method, const QVariantList &arguments)
    {
        return call(service, menuPath(service), u"com.canonical.dbusmenu"_s, method, arguments);
    }

    QList<MenuLine> layout(const QString &service)
    {
        const QDBusMessage reply = callMenu(service, u"GetLayout"_s, {0, -1, QStringList()});
        return readLayout(reply.arguments().value(1).value<QDBusArgument>());
    }

    QDBusMessage click(const QString &service, int id)
    {
        return callMenu(service, u"Event"_s, {id, u"clicked"_s, QVariant::fromValue(QDBusVariant(QString())), 0u});
    }

public Q_SLOTS:
    void countSignal() { ++m_signals; }

private Q_SLOTS:
    // At start, late, after a restart, and a host that comes and goes under the same watcher.
    void offersItselfToEveryWatcher()
    {
        const std::unique_ptr<StatusNotifierItem> late = makeStatusNotifierItem();
        QTRY_VERIFY(late->isSettled());
        QVERIFY(!late->isHosted());
        QVERIFY(!late->askHostAvailable());

        std::unique_ptr<RunningWatcher> watcher = startWatcher(true);
        QVERIFY(watcher);
        QTRY_VERIFY(late->isHosted());
        QCOMPARE(watcher->registered().size(), 1);
        const QString name = watcher->registered().first();
        QVERIFY(late->askHostAvailable());

        watcher.reset();
        QTRY_VERIFY(!late->isHosted());
        watcher = startWatcher(false);
        QVERIFY(watcher);
        QTRY_COMPARE(watcher->registered(), QStringList{name});
        QVERIFY(!late->isHostAvailable());
        QVERIFY(!late->askHostAvailable());
        watcher->setHost(true);
        QTRY_VERIFY(late->isHosted());
        watcher->setHost(false);
        QTRY_VERIFY(!late->isHosted());
        watcher->setHost(true);

        const std::unique_ptr<StatusNotifierItem> early = makeStatusNotifierItem();
        QTRY_VERIFY(early->isHosted());
        QCOMPARE(watcher->registered().size(), 2);
        QVERIFY(watcher->registered().last() != name);
    }

    // A watcher that lets the item go while both run (GNOME's extension when it fails to read
    // the item, a panel applet that crashed and came back) gets it again within a second, by
    // bus name in case the path was what it could not use; one that refuses paths gets the bus
    // name at once.
    void registersByNameWhereThePathFails_data()
    {
        QTest::addColumn<bool>("refusesPaths");
        QTest::newRow("path dropped") << false;
        QTest::newRow("path refused") << true;
    }

    void registersByNameWhereThePathFails()
    {
        QFETCH(bool, refusesPaths);
        const std::unique_ptr<RunningWatcher> watcher = startWatcher(true, refusesPaths);
        QVERIFY(watcher);
        const std::unique_ptr<StatusNotifierItem> item = makeStatusNotifierItem();
        QTRY_VERIFY(item->isHosted());
        if (!refusesPaths) {
            QCOMPARE(watcher->asked(), QStringList{u"/StatusNotifierItem"_s});
            QSignalSpy hosted(item.get(), &StatusNotifierItem::hostedChanged);
            watcher->dropLast();
            QTRY_COMPARE(watcher->registered().size(), 1);
            QTRY_VERIFY(item->isHosted());
            QCOMPARE(hosted.size(), 2);
        }
        QCOMPARE(watcher->asked().size(), 2);
        QCOMPARE(watcher->registered().size(), 1);
        QVERIFY(watcher->registered().first().startsWith(u"org.kde.StatusNotifierItem-"_s));
    }

    // The glance at the top of the menu: a dimmed line, an icon and words for screen
    // providers, brought up to date when the tray is about to show the menu.
    void theMenuIsCurrentWhenShown()
    {
        const std::unique_ptr<RunningWatcher> watcher = startWatcher(true);
        const std::unique_ptr<StatusNotifierItem> item = makeStatusNotifierItem();
        QTRY_COMPARE(watcher->registered().size(), 1);
        const QString service = watcher->registered().first();

        int minutes = 1;
        const auto fill = [&] {
            item->setMenu({{.label = u"Updated %1 minutes ago"_s.arg(minutes), .enabled = false},
                           {.label = u"GitHub \u2014 Incident with Actions"_s,
                            .icon = QByteArray("\x89PNG"),
                            .accessibleDescription = u"GitHub, Partial Outage, Incident with Actions"_s}});
        };
        fill();
        connect(item.get(), &StatusNotifierItem::menuAboutToShow, this, fill);
        const auto aboutToShow = [&] { return callMenu(service, u"AboutToShow"_s, {0}).arguments().value(0).toBool(); };
        QVERIFY(!aboutToShow());
        minutes = 2;
        QVERIFY(aboutToShow());

        const QList<MenuLine> lines = layout(service);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(1).properties.value(u"label"_s).toString(), u"Updated 2 minutes ago"_s);
        QCOMPARE(lines.at(1).properties.value(u"enabled"_s).toBool(), false);
        QCOMPARE(lines.at(2).properties.value(u"enabled"_s).toBool(), true);
        QCOMPARE(lines.at(2).properties.value(u"icon-data"_s).toByteArray(), QByteArray("\x89PNG"));
        QCOMPARE(lines.at(2).properties.value(u"accessible-desc"_s).toString(),
                 u"GitHub, Partial Outage, Incident with Actions"_s);

        // an item keeps its id while its key stays, and the tray is told what changed in it;
        // a new key is a new id (trays read properties only of ids they have not seen)
        m_signals = 0;
        QVERIFY(m_host.connect(service, menuPath(service), u"com.canonical.dbusmenu"_s, u"ItemsPropertiesUpdated"_s,
                               this, SLOT(countSignal())));
        item->setMenu({{.label = u"Updated 2 minutes ago"_s, .enabled = false},
                       {.label = u"GitHub \u2014 Major Outage"_s, .key = u"GitHub \u2014 Incident with Actions"_s},
                       {.label = u"Slack \u2014 Degraded"_s}});
        QTRY_COMPARE(m_signals, 1);
        const QList<MenuLine> after = layout(service);
        QCOMPARE(after.at(1).id, lines.at(1).id);
        QCOMPARE(after.at(2).id, lines.at(2).id);
        QCOMPARE(after.at(2).properties.value(u"label"_s).toString(), u"GitHub \u2014 Major Outage"_s);
        QVERIFY(!after.at(2).properties.contains(u"icon-data"_s));
        QVERIFY(after.at(3).id > lines.at(2).id);

        // a dimmed line is not chosen
        QList<int> chosen;
        connect(item.get(), &StatusNotifierItem::menuTriggered, this, [&chosen](int index) { chosen.append(index); });
        for (const MenuLine &line : lines.sliced(1))
            click(service, line.id);
        QTRY_COMPARE(chosen, QList<int>{1});
    }

    // What a host reads and does: the icon, tooltip and menu, and clicks on them.
    void aHostDrawsAndClicksTheItem()
    {
        const std::unique_ptr<RunningWatcher> watcher = startWatcher(true);
        const std::unique_ptr<StatusNotifierItem> item = makeStatusNotifierItem();
        QTRY_COMPARE(watcher->registered().size(), 1);
        const QString service = watcher->registered().first();

        m_signals = 0;
        QVERIFY(
            m_host.connect(service, u"/StatusNotifierItem"_s, itemInterface, u"NewIcon"_s, this, SLOT(countSignal())));
        QImage image(2, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, qRgba(0x10, 0x20, 0x30, 0x80));
        image.setPixel(1, 0, qRgba(0x00, 0x00, 0xff, 0xff));
        item->setIcon({image, QImage(3, 3, QImage::Format_ARGB32)});
        item->setToolTip(u"Glinter \u2014 Major Outage"_s);
        QTRY_COMPARE(m_signals, 1);

        // every pixel A, R, G, B in that order, whatever the host's byte order
        const QList<Pixmap> pixmaps = readPixmaps(property(service, u"IconPixmap"_s).value<QDBusArgument>());
        QCOMPARE(pixmaps.size(), 2);
        QCOMPARE(pixmaps.first().size, QSize(2, 1));
        QCOMPARE(pixmaps.first().pixels, QByteArray::fromHex("80102030ff0000ff"));
        QCOMPARE(pixmaps.last().pixels.size(), 3 * 3 * 4);

        // (sa(iiay)ss): the state is the tooltip's title
        const QDBusArgument toolTip = property(service, u"ToolTip"_s).value<QDBusArgument>();
        QString iconName;
        QString title;
        QString text;
        toolTip.beginStructure();
        toolTip >> iconName;
        readPixmaps(toolTip);
        toolTip >> title >> text;
        toolTip.endStructure();
        QCOMPARE(title, u"Glinter \u2014 Major Outage"_s);
        // a screen reader's name for the icon says the same
        QCOMPARE(property(service, u"IconAccessibleDesc"_s).toString(), title);

        QStringList clicks;
        auto record = [&clicks](const char *kind) {
            return [&clicks, kind](std::optional<QPoint> at) {
                clicks.append(QString::fromLatin1(kind) + (at ? u" %1,%2"_s.arg(at->x()).arg(at->y()) : QString()));
            };
        };
        connect(item.get(), &StatusNotifierItem::activated, this, record("left"));
        connect(item.get(), &StatusNotifierItem::secondaryActivated, this, record("middle"));
        connect(item.get(), &StatusNotifierItem::contextMenuRequested, this, record("menu"));
        for (const auto &[method, x, y] : {std::tuple("Activate", 1210, 12), std::tuple("Activate", 0, 0),
                                           std::tuple("SecondaryActivate", 30, 700), std::tuple("ContextMenu", 5, 6)})
            call(service, u"/StatusNotifierItem"_s, itemInterface, QString::fromLatin1(method), {x, y});
        // 0, 0: a host that cannot tell where
        QTRY_COMPARE(clicks, (QStringList{u"left 1210,12"_s, u"left"_s, u"middle 30,700"_s, u"menu 5,6"_s}));

        item->setMenu({{u"Open Glinter"_s}, {u"Refresh_Now"_s}, {{}, true}, {u"Quit"_s}});
        QCOMPARE(callMenu(service, u"GetLayout"_s, {0, -1, QStringList()}).signature(), u"u(ia{sv}av)"_s);
        const QList<MenuLine> lines = layout(service);
        QStringList shown;
        for (const MenuLine &line : lines.sliced(1))
            shown.append(line.properties.value(u"type"_s).toString() + line.properties.value(u"label"_s).toString());
        // an underscore would mark an access key
        QCOMPARE(shown, (QStringList{u"Open Glinter"_s, u"Refresh__Now"_s, u"separator"_s, u"Quit"_s}));

        QList<int> chosen;
        connect(item.get(), &StatusNotifierItem::menuTriggered, this, [&chosen](int index) { chosen.append(index); });
        click(service, lines.at(3).id); // the separator
        QCOMPARE(click(service, 99).type(), QDBusMessage::ErrorMessage);
        click(service, lines.at(4).id);
        // libdbusmenu sends its clicks in groups, and is told which ids it got wrong
        qDBusRegisterMetaType<MenuClick>();
        qDBusRegisterMetaType<QList<MenuClick>>();
        const QDBusMessage unknown = callMenu(service, u"EventGroup"_s,
                                              {QVariant::fromValue(QList<MenuClick>{{lines.at(1).id}, {98}})});
        QCOMPARE(qdbus_cast<QList<int>>(unknown.arguments().value(0)), QList<int>{98});
        QTRY_COMPARE(chosen, (QList<int>{3, 0}));
    }
};

QTEST_GUILESS_MAIN(TestStatusNotifierItem)
#include "tst_statusnotifieritem.moc"
