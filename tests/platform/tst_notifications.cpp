// Runs on a private session bus, where the test itself plays the desktop's notification
// service through a connection of its own.
#include "platform/notifications.h"
#include "platform/null/nullurlopener.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTest>

const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");

class FakeNotificationDaemon : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList calls; // "app|replaces|summary|body|first action|has sound"

public Q_SLOTS:
    uint Notify(const QString &app, uint replaces, const QString &, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &hints, int)
    {
        calls.append(QStringList{app, QString::number(replaces), summary, body, actions.value(0),
                                 QString::number(hints.contains(QStringLiteral("sound-name")))}.join(u'|'));
        return uint(calls.size() + 40);
    }
};

class TestNotifications : public QObject
{
    Q_OBJECT

    QDBusConnection m_bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("daemon"));
    FakeNotificationDaemon m_daemon;
    NullUrlOpener *m_opened = nullptr;

    void click(uint id, const QString &action)
    {
        QDBusMessage signal = QDBusMessage::createSignal(objectPath, serviceName, QStringLiteral("ActionInvoked"));
        signal << id << action;
        m_bus.send(signal);
    }

private Q_SLOTS:
    void init()
    {
        auto opener = std::make_unique<NullUrlOpener>();
        m_opened = opener.get();
        setUrlOpener(std::move(opener));
        m_daemon.calls.clear();
    }

    void withoutADaemonTheFallbackShows()
    {
        QVERIFY(!m_bus.interface()->isServiceRegistered(serviceName));
        std::unique_ptr<Notifications> notifications = makeNotifications();
        QStringList shown;
        notifications->setFallback([&shown](const QString &title, const QString &body, const QUrl &) { shown << title + u'|' + body; });
        notifications->post(QStringLiteral("T"), QStringLiteral("B"), QUrl());
        QTRY_COMPARE_WITH_TIMEOUT(shown, QStringList{QStringLiteral("T|B")}, 30000);
    }

    // A click on a notification opens its page, but never a file: address.
    void postsArriveAndClicksOpenWebPages()
    {
        QVERIFY(m_bus.registerObject(objectPath, &m_daemon, QDBusConnection::ExportAllSlots));
        QVERIFY(m_bus.registerService(serviceName));
        const std::unique_ptr<Notifications> notifications = makeNotifications();
        const QUrl page(QStringLiteral("https://status.example.com"));
        notifications->post(QStringLiteral("Example recovered"), QStringLiteral("All Systems Operational"), page);
        notifications->post(QStringLiteral("B"), {}, QUrl(QStringLiteral("file:///etc/passwd")));
        QTRY_COMPARE_WITH_TIMEOUT(m_daemon.calls.size(), 2, 5000);
        QCOMPARE(m_daemon.calls.first(), QStringLiteral("Glinter|0|Example recovered|All Systems Operational|default|1"));
        // Daemons broadcast clicks: other actions and other programs' identifiers open nothing.
        click(41, QStringLiteral("dismiss"));
        click(99, QStringLiteral("default"));
        click(42, QStringLiteral("default"));
        click(41, QStringLiteral("default")); // handled last, so all before it were too
        QTRY_COMPARE_WITH_TIMEOUT(m_opened->opened().size(), 1, 5000);
        QCOMPARE(m_opened->opened(), QList<QUrl>{page});
    }
};

QTEST_GUILESS_MAIN(TestNotifications)
#include "tst_notifications.moc"
