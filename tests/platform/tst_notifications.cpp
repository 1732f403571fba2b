// Runs on a private session bus, on which the test itself provides the desktop's
// notification service through a connection of its own.
#include "alerts/alertdecision.h"
#include "alerts/notificationprefs.h"
#include "alerts/notifier.h"
#include "core/preferences.h"
#include "platform/notifications.h"
#include "platform/null/nullurlopener.h"
#include "platform/urlopener.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTest>

namespace {

const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");

struct Notify {
    QString appName;
    uint replacesId = 0;
    QString summary;
    QString body;
    QStringList actions;
    QVariantMap hints;
    int expireTimeout = 0;
    uint id = 0;
};

} // namespace

// The daemon's side of org.freedesktop.Notifications, recording every call.
class FakeNotificationDaemon : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    explicit FakeNotificationDaemon(const QDBusConnection &bus)
        : m_bus(bus)
    {
    }

    QList<Notify> calls;

    void invokeAction(uint id, const QString &key)
    {
        QDBusMessage signal = QDBusMessage::createSignal(objectPath, serviceName, QStringLiteral("ActionInvoked"));
        signal << id << key;
        m_bus.send(signal);
    }

public Q_SLOTS:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int expireTimeout)
    {
        Q_UNUSED(appIcon)
        calls.append({appName, replacesId, summary, body, actions, hints, expireTimeout, ++m_lastId});
        return m_lastId;
    }

    QStringList GetCapabilities() { return {QStringLiteral("body"), QStringLiteral("actions")}; }

    void CloseNotification(uint) {}

private:
    QDBusConnection m_bus;
    uint m_lastId = 40;
};

class TestNotifications : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "run under dbus-run-session");
    }

    void init()
    {
        for (const char *key : {"notificationsEnabled", "notificationMinSeverity", "mutedServiceIDs", "webhookURL"})
            Preferences::remove(QString::fromLatin1(key));
        auto opener = std::make_unique<NullUrlOpener>();
        m_opened = opener.get();
        setUrlOpener(std::move(opener));
    }

    void cleanup()
    {
        stopDaemon();
        setUrlOpener(nullptr);
    }

    void worseningAndRecoveryArrive()
    {
        startDaemon();
        Notifier notifier(makeNotifications());
        const Service service = github();

        notifyIfChanged(service, Indicator::None, result(service, Indicator::Major, QStringLiteral("Elevated error rates")),
                        notifier);
        QTRY_COMPARE_WITH_TIMEOUT(m_daemon->calls.size(), 1, 5000);
        const Notify worse = m_daemon->calls.at(0);
        QCOMPARE(worse.appName, QStringLiteral("Glinter"));
        QCOMPARE(worse.summary, QStringLiteral("GitHub: Partial Outage"));
        QCOMPARE(worse.body, QStringLiteral("Elevated error rates"));
        QCOMPARE(worse.replacesId, 0u);
        QVERIFY(worse.actions.size() >= 2 && worse.actions.at(0) == u"default");
        QVERIFY(worse.hints.contains(QStringLiteral("sound-name")));

        notifyIfChanged(service, Indicator::Major, result(service, Indicator::None, QStringLiteral("Resolved")), notifier);
        QTRY_COMPARE_WITH_TIMEOUT(m_daemon->calls.size(), 2, 5000);
        QCOMPARE(m_daemon->calls.at(1).summary, QStringLiteral("GitHub recovered"));
        QCOMPARE(m_daemon->calls.at(1).body, QStringLiteral("All Systems Operational"));
    }

    void twoAlertsGiveTwoNotifications()
    {
        startDaemon();
        Notifier notifier(makeNotifications());
        const Service service = github();
        notifyIfChanged(service, Indicator::None, result(service, Indicator::Minor, QStringLiteral("Slow")), notifier);
        notifyIfChanged(service, Indicator::Minor, result(service, Indicator::Critical, QStringLiteral("Down")), notifier);
        QTRY_COMPARE_WITH_TIMEOUT(m_daemon->calls.size(), 2, 5000);
        for (const Notify &call : std::as_const(m_daemon->calls))
            QCOMPARE(call.replacesId, 0u);
        QCOMPARE(m_daemon->calls.at(1).summary, QStringLiteral("GitHub: Major Outage"));
    }

    void clickingOpensTheServicePage()
    {
        startDaemon();
        std::unique_ptr<Notifications> notifications = makeNotifications();
        notifications->post(QStringLiteral("GitHub: Partial Outage"), QStringLiteral("x"),
                            QUrl(QStringLiteral("https://www.githubstatus.com")));
        notifications->post(QStringLiteral("Other"), QStringLiteral("y"), QUrl(QStringLiteral("https://status.example.com")));
        QTRY_COMPARE_WITH_TIMEOUT(m_daemon->calls.size(), 2, 5000);
        const uint first = m_daemon->calls.at(0).id;

        // Other actions, and identifiers that are not ours, open nothing.
        m_daemon->invokeAction(first, QStringLiteral("dismiss"));
        m_daemon->invokeAction(first + 100, QStringLiteral("default"));
        m_daemon->invokeAction(first, QStringLiteral("default"));
        QTRY_COMPARE_WITH_TIMEOUT(m_opened->opened().size(), 1, 5000);
        QCOMPARE(m_opened->opened().first(), QUrl(QStringLiteral("https://www.githubstatus.com")));
    }

    void nonWebPagesAreNeverOpened()
    {
        startDaemon();
        std::unique_ptr<Notifications> notifications = makeNotifications();
        notifications->post(QStringLiteral("Local"), QStringLiteral("x"), QUrl(QStringLiteral("file:///etc/passwd")));
        notifications->post(QStringLiteral("Web"), QStringLiteral("y"), QUrl(QStringLiteral("https://status.example.com")));
        QTRY_COMPARE_WITH_TIMEOUT(m_daemon->calls.size(), 2, 5000);

        m_daemon->invokeAction(m_daemon->calls.at(0).id, QStringLiteral("default"));
        // The second click is a marker: once it is handled, so was the first.
        m_daemon->invokeAction(m_daemon->calls.at(1).id, QStringLiteral("default"));
        QTRY_COMPARE_WITH_TIMEOUT(m_opened->opened().size(), 1, 5000);
        QCOMPARE(m_opened->opened().first(), QUrl(QStringLiteral("https://status.example.com")));
    }

    void withoutADaemonTheFallbackShows()
    {
        QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(serviceName));
        std::unique_ptr<Notifications> notifications = makeNotifications();
        QStringList shown;
        notifications->setFallback([&shown](const QString &title, const QString &body, const QUrl &) {
            shown.append(title + u'|' + body);
        });
        notifications->post(QStringLiteral("GitHub recovered"), QStringLiteral("All Systems Operational"), QUrl());
        QTRY_COMPARE_WITH_TIMEOUT(shown, QStringList{QStringLiteral("GitHub recovered|All Systems Operational")}, 30000);
    }

    void withoutDaemonOrFallbackNothingHappens()
    {
        std::unique_ptr<Notifications> notifications = makeNotifications();
        notifications->post(QStringLiteral("t"), QStringLiteral("b"), QUrl(QStringLiteral("https://example.com")));
        // Dropping the object with the call in flight must be safe.
        notifications.reset();
        QTest::qWait(100);
    }

private:
    static Service github()
    {
        return Service{QUuid::createUuid(), QStringLiteral("GitHub"), QUrl(QStringLiteral("https://www.githubstatus.com")),
                       ProviderKind::Statuspage, std::nullopt};
    }

    static ServiceStatusResult result(const Service &service, Indicator indicator, const QString &description)
    {
        ServiceStatusResult r;
        r.serviceID = service.id;
        r.indicator = indicator;
        r.description = description;
        r.lastChecked = QDateTime::currentDateTimeUtc();
        return r;
    }

    void startDaemon()
    {
        m_bus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-daemon")));
        QVERIFY(m_bus->isConnected());
        m_daemon = std::make_unique<FakeNotificationDaemon>(*m_bus);
        QVERIFY(m_bus->registerObject(objectPath, m_daemon.get(), QDBusConnection::ExportAllSlots));
        QVERIFY(m_bus->registerService(serviceName));
    }

    void stopDaemon()
    {
        if (!m_bus)
            return;
        m_bus->unregisterService(serviceName);
        m_bus->unregisterObject(objectPath);
        m_daemon.reset();
        m_bus.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("fake-daemon"));
        QTRY_VERIFY_WITH_TIMEOUT(!QDBusConnection::sessionBus().interface()->isServiceRegistered(serviceName), 5000);
    }

    std::unique_ptr<QDBusConnection> m_bus;
    std::unique_ptr<FakeNotificationDaemon> m_daemon;
    NullUrlOpener *m_opened = nullptr;
};

QTEST_GUILESS_MAIN(TestNotifications)
#include "tst_notifications.moc"
