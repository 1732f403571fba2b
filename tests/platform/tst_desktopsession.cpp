// What Glinter asks of the desktop session: notifications, on a private session bus where
// the test itself plays the notification service through a connection of its own, and
// launch at login, the XDG autostart entry written under the test's own XDG_CONFIG_HOME
// and a failure's log line on a recording double.
#include "platform/linux/xdgautostart.h"
#include "platform/notifications.h"
#include "platform/null/nullloginitem.h"
#include "platform/null/nullurlopener.h"

#include "fulldisk.h"
#include "testfiles.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

using Status = LoginItem::Status;

const QString serviceName = u"org.freedesktop.Notifications"_s;
const QString objectPath = u"/org/freedesktop/Notifications"_s;

class FakeNotificationDaemon
    : public QObject
    , protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call {
        QString app;
        QString icon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };
    QList<Call> calls;
    // Without any, the daemon lacks the method.
    std::optional<QStringList> capabilities = QStringList{u"body"_s, u"actions"_s};
    int capabilityQuestions = 0;

    static uint idOf(qsizetype call) { return uint(call + 41); }

public Q_SLOTS:
    QStringList GetCapabilities()
    {
        ++capabilityQuestions;
        if (!capabilities)
            sendErrorReply(QDBusError::UnknownMethod, u"no GetCapabilities here"_s);
        return capabilities.value_or(QStringList());
    }

    uint Notify(const QString &app, uint replaces, const QString &icon, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &hints, int)
    {
        if (replaces != 0)
            qFatal("a notification replaced another");
        calls.append({app, icon, summary, body, actions, hints});
        return idOf(calls.size() - 1);
    }
};

class TestDesktopSession : public QObject
{
    Q_OBJECT

    QDBusConnection m_bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"daemon"_s);
    FakeNotificationDaemon m_daemon;
    NullUrlOpener m_opener;

    static void emitAction(QDBusConnection &from, uint id, const QString &action)
    {
        QDBusMessage signal = QDBusMessage::createSignal(objectPath, serviceName, u"ActionInvoked"_s);
        signal << id << action;
        from.send(signal);
    }

    void click(uint id, const QString &action) { emitAction(m_bus, id, action); }

    void startDaemon()
    {
        if (m_bus.interface()->isServiceRegistered(serviceName))
            return;
        QVERIFY(m_bus.registerObject(objectPath, &m_daemon, QDBusConnection::ExportAllSlots));
        QVERIFY(m_bus.registerService(serviceName));
    }

private Q_SLOTS:
    void init()
    {
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/autostart"_s)
            .removeRecursively();
        m_opener = NullUrlOpener();
        m_daemon.calls.clear();
        m_daemon.capabilityQuestions = 0;
    }

    // The balloon gets the text as written, never escaped for a daemon.
    void withoutADaemonTheFallbackShows()
    {
        QVERIFY(!m_bus.interface()->isServiceRegistered(serviceName));
        std::unique_ptr<Notifications> notifications = makeNotifications(m_opener);
        QStringList shown;
        notifications->setFallback(
            [&shown](const QString &title, const QString &body, const QUrl &) { shown << title + u'|' + body; });
        notifications->post({QUuid::createUuid(), u"R&D"_s, u"<b>B</b>"_s, QUrl()});
        QTRY_COMPARE_WITH_TIMEOUT(shown, QStringList{u"R&D|<b>B</b>"_s}, 30000);
    }

    // A click on a notification opens its page, but never a file: address; its "Mute for 1 Hour"
    // names its service.
    void clicksReachTheirOwnNotification()
    {
        startDaemon();
        const std::unique_ptr<Notifications> notifications = makeNotifications(m_opener);
        QList<QUuid> muted;
        notifications->setMuteRequest([&muted](const QUuid &id) { muted.append(id); });
        const QUuid first = QUuid::createUuid();
        const QUrl page(u"https://status.example.com"_s);
        notifications->post({first, u"Example recovered"_s, u"All Systems Operational"_s, page});
        notifications->post({QUuid::createUuid(), u"B"_s, {}, QUrl(u"file:///etc/passwd"_s)});
        QTRY_COMPARE_WITH_TIMEOUT(m_daemon.calls.size(), 2, 5000);
        const FakeNotificationDaemon::Call &call = m_daemon.calls.first();
        QCOMPARE(QStringList({call.app, call.icon, call.hints.value(u"desktop-entry"_s).toString()}),
                 QStringList({u"Glinter"_s, u"glinter"_s, u"app.glinter.Glinter"_s}));
        QVERIFY(call.hints.contains(u"sound-name"_s));
        const qsizetype mute = call.actions.indexOf(u"Mute for 1 Hour"_s);
        QVERIFY(mute > 0);
        const QString key = call.actions.at(mute - 1);

        // Another program sending the daemon's signal about our notification is not heard.
        QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"other"_s);
        emitAction(other, FakeNotificationDaemon::idOf(1), key);
        // A round trip through the bus: the signal above reaches us before anything sent after it.
        QVERIFY(other.interface()->isServiceRegistered(serviceName));
        QDBusConnection::disconnectFromBus(u"other"_s);
        // Daemons broadcast clicks: other actions and other programs' identifiers do nothing.
        click(41, u"dismiss"_s);
        click(99, u"default"_s);
        click(42, u"default"_s);
        click(FakeNotificationDaemon::idOf(9), key);
        click(41, key);
        click(41, u"default"_s); // handled last, so all before it were too
        QTRY_COMPARE_WITH_TIMEOUT(m_opener.opened().size(), 1, 5000);
        QCOMPARE(m_opener.opened(), QList<QUrl>{page});
        QCOMPARE(muted, QList<QUuid>{first});
    }

    // The summary is plain text for every daemon; the body is escaped for a daemon that
    // reads markup in it, and for one that does not say. Posts made while the daemon is
    // asked keep their order; it is asked once, and again when the name changes hands.
    void bodyMarkupFollowsTheDaemon_data()
    {
        QTest::addColumn<std::optional<QStringList>>("capabilities");
        QTest::addColumn<bool>("escaped");
        QTest::newRow("body-markup") << std::optional(QStringList{u"actions"_s, u"body"_s, u"body-markup"_s}) << true;
        QTest::newRow("plain body") << std::optional(QStringList{u"actions"_s, u"body"_s}) << false;
        QTest::newRow("no answer") << std::optional<QStringList>() << true;
    }

    void bodyMarkupFollowsTheDaemon()
    {
        QFETCH(std::optional<QStringList>, capabilities);
        QFETCH(bool, escaped);
        startDaemon();
        m_daemon.capabilities = capabilities;
        const std::unique_ptr<Notifications> notifications = makeNotifications(m_opener);
        const QString body = u"<b>Big</b> outage & <a href=\"http://evil.example/\">click</a> <img src=/x.png>"_s;
        const QString sent =
            escaped
                ? u"&lt;b&gt;Big&lt;/b&gt; outage &amp; &lt;a href=&quot;http://evil.example/&quot;&gt;click&lt;/a&gt; &lt;img src=/x.png&gt;"_s
                : body;
        const QString ampersand = escaped ? u"a&amp;b"_s : u"a&b"_s;
        notifications->post({QUuid::createUuid(), u"R&D <i>"_s, body, QUrl()});
        notifications->post({QUuid::createUuid(), u"2"_s, u"a&b"_s, QUrl()});
        QTRY_COMPARE_WITH_TIMEOUT(m_daemon.calls.size(), 2, 5000);
        notifications->post({QUuid::createUuid(), u"3"_s, u"a&b"_s, QUrl()});
        QTRY_COMPARE_WITH_TIMEOUT(m_daemon.calls.size(), 3, 5000);
        QStringList texts;
        for (const FakeNotificationDaemon::Call &call : std::as_const(m_daemon.calls))
            texts << call.summary + u'|' + call.body;
        QCOMPARE(texts, QStringList({u"R&D <i>|"_s + sent, u"2|"_s + ampersand, u"3|"_s + ampersand}));
        QCOMPARE(m_daemon.capabilityQuestions, 1);

        // The daemon goes and comes back with other capabilities.
        QDBusServiceWatcher watcher(serviceName, QDBusConnection::sessionBus(),
                                    QDBusServiceWatcher::WatchForOwnerChange);
        QSignalSpy changes(&watcher, &QDBusServiceWatcher::serviceOwnerChanged);
        m_daemon.capabilities = QStringList{u"body-markup"_s};
        QVERIFY(m_bus.unregisterService(serviceName));
        QVERIFY(m_bus.registerService(serviceName));
        QTRY_COMPARE_WITH_TIMEOUT(changes.size(), 2, 5000);
        notifications->post({QUuid::createUuid(), u"4"_s, u"a&b"_s, QUrl()});
        QTRY_COMPARE_WITH_TIMEOUT(m_daemon.calls.size(), 4, 5000);
        QCOMPARE(m_daemon.calls.last().body, u"a&amp;b"_s);
    }

    void failureIsOneLogLineAndNothingElse()
    {
        NullLoginItem item;
        item.failWith(u"disk full\nsecond line"_s);
        QTest::ignoreMessage(QtWarningMsg, "Glinter: launch-at-login toggle failed: disk full second line");
        item.setEnabled(true);
        QCOMPARE(item.status(), Status::NotRegistered);
    }

    void autostartEntryRoundTrip()
    {
        XdgAutostart item(u"/opt/My Apps/$bin/glinter"_s);
        QCOMPARE(item.status(), Status::NotRegistered);
        item.setEnabled(true);
        QCOMPARE(item.status(), Status::Enabled);
        QVERIFY(XdgAutostart::entryPath().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
        const QByteArray text = readFile(XdgAutostart::entryPath());
        // Quoted for the space, the $ escaped twice as the format asks.
        QVERIFY2(text.contains("\nExec=\"/opt/My Apps/\\\\$bin/glinter\"\n"), text.constData());
        // desktop-file-validate is required by the build (see tests/install).
        QProcess validator;
        validator.start(u"desktop-file-validate"_s, {XdgAutostart::entryPath()});
        QVERIFY(validator.waitForFinished());
        const QByteArray said = validator.readAll();
        QVERIFY2(validator.exitCode() == 0 && said.isEmpty(), said.constData());

        // The desktop's own start-up settings switch it off by editing the entry.
        QVERIFY(writeFile(XdgAutostart::entryPath(), "Hidden=true\n", QIODevice::Append));
        QCOMPARE(item.status(), Status::Disabled);
        // Switching off what the desktop switched off leaves its entry alone.
        item.setEnabled(false);
        QCOMPARE(item.status(), Status::Disabled);
        item.setEnabled(true);
        QCOMPARE(item.status(), Status::Enabled);

        item.setEnabled(false);
        QCOMPARE(item.status(), Status::NotRegistered);
        QVERIFY(!QFile::exists(XdgAutostart::entryPath()));
    }

    void unwritableFolderIsReported()
    {
        // A file where the autostart folder should be.
        const QString folder = QFileInfo(XdgAutostart::entryPath()).path();
        QVERIFY(QDir().mkpath(QFileInfo(folder).path()));
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        XdgAutostart item(u"/usr/bin/glinter"_s);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^Glinter: launch-at-login toggle failed: .+"_s));
        item.setEnabled(true);
        QCOMPARE(item.status(), Status::NotRegistered);
        QVERIFY(QFile::remove(folder));
    }

    // A write that fails for want of space must not replace the entry with a short one.
    void aFullDiskLeavesTheEntryAsItWas()
    {
        const FullDisk disk;
        if (!disk.mountError.isEmpty())
            QSKIP(qPrintable(u"cannot mount a small tmpfs: "_s + disk.mountError));
        // the tests after this one keep their own folder, whether this one passes or not
        const auto restore = qScopeGuard([home = qgetenv("XDG_CONFIG_HOME")] { qputenv("XDG_CONFIG_HOME", home); });
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(disk.dir.path()));
        XdgAutostart item(u"/usr/bin/glinter"_s);
        item.setEnabled(true);
        QVERIFY(writeFile(XdgAutostart::entryPath(), "Hidden=true\n", QIODevice::Append));
        const QByteArray before = readFile(XdgAutostart::entryPath());

        disk.fill();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^Glinter: launch-at-login toggle failed: .+"_s));
        item.setEnabled(true);
        QCOMPARE(readFile(XdgAutostart::entryPath()), before);
        QCOMPARE(item.status(), Status::Disabled);
        disk.release();
    }
};

QTEST_GUILESS_MAIN(TestDesktopSession)
#include "tst_desktopsession.moc"
