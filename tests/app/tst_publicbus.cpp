#include "app/appcore.h"
#include "app/publicface.h"
#include "app/watchcommand.h"
#include "app/watchformats.h"
#include "core/settings.h"
#include "platform/linux/dbuspublicservice.h"
#include "platform/null/nullnotifications.h"

#include "monitorrig.h"
#include "scriptedcheck.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kName = u"app.glinter.Glinter"_s;
const QString kPath = u"/app/glinter/Glinter"_s;
const QString kInterface = u"app.glinter.Glinter1"_s;

ServiceEntry entry(const QString &name, Indicator indicator, const QString &description,
                   std::optional<QString> incident = std::nullopt)
{
    return {.id = u"id-"_s + name,
            .name = name,
            .indicator = indicator,
            .description = description,
            .incidentTitle = std::move(incident)};
}

Overview calm()
{
    return {Indicator::None,
            u"All Systems Operational"_s,
            1765000000,
            {entry(u"GitHub"_s, Indicator::None, u"Operational"_s), entry(u"Slack"_s, Indicator::None, u"Ok"_s)}};
}

Overview troubled()
{
    return {Indicator::Major,
            u"Partial Service Outage"_s,
            1765000000,
            {entry(u"GitHub"_s, Indicator::Major, u"Partial outage"_s, u"Slow pushes"_s),
             entry(u"Slack"_s, Indicator::Minor, u"Degraded"_s), entry(u"AWS"_s, Indicator::None, u"Ok"_s),
             entry(u"Azure"_s, Indicator::None, u"Ok"_s)}};
}

Overview markup()
{
    return {Indicator::Critical,
            u"Major Service Outage"_s,
            1765000000,
            {entry(u"<b>x</b> & \"y\" %{F#fff}"_s, Indicator::Critical, u"100% down"_s)}};
}

// Before the first check has finished.
Overview checking()
{
    return {Indicator::Unknown, u"Status Unavailable"_s, 0, {entry(u"GitHub"_s, Indicator::Unknown, u"Checking…"_s)}};
}

// A connection of its own, as another process would have.
QDBusConnection connection(const QString &name)
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
}

} // namespace

class TestPublicBus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formats_data()
    {
        QTest::addColumn<Overview>("view");
        QTest::addColumn<WatchFormat>("format");
        QTest::addColumn<QString>("line");

        QTest::newRow("waybar calm")
            << calm() << WatchFormat::Waybar
            << u"{\"alt\":\"none\",\"class\":\"none\",\"percentage\":100,\"text\":\"✓\",\"tooltip\":\"All Systems Operational\"}"_s;
        QTest::newRow("waybar troubled")
            << troubled() << WatchFormat::Waybar
            << u"{\"alt\":\"major\",\"class\":\"major\",\"percentage\":50,\"text\":\"2\",\"tooltip\":\"Partial Service Outage\\nGitHub: Partial outage — Slow pushes\\nSlack: Degraded\"}"_s;
        QTest::newRow("waybar markup")
            << markup() << WatchFormat::Waybar
            << u"{\"alt\":\"critical\",\"class\":\"critical\",\"percentage\":0,\"text\":\"1\",\"tooltip\":\"Major Service Outage\\n&lt;b&gt;x&lt;/b&gt; &amp; &quot;y&quot; %{F#fff}: 100% down\"}"_s;
        QTest::newRow("i3blocks troubled")
            << troubled() << WatchFormat::I3blocks
            << u"{\"color\":\"#f58400\",\"full_text\":\"Partial Service Outage: GitHub, Slack\",\"short_text\":\"2\"}"_s;
        QTest::newRow("polybar calm") << calm() << WatchFormat::Polybar << u"%{F#2eb84b}All Systems Operational%{F-}"_s;
        QTest::newRow("polybar markup") << markup() << WatchFormat::Polybar
                                        << u"%{F#eb3b30}Major Service Outage: <b>x</b> & \"y\" %%{F#fff}%{F-}"_s;
        QTest::newRow("polybar control characters")
            << Overview{Indicator::Critical,
                        u"Major Service Outage"_s,
                        0,
                        {entry(u"Acme\x1b[31m\nLabs"_s, Indicator::Critical, {})}}
            << WatchFormat::Polybar << u"%{F#eb3b30}Major Service Outage: Acme\\x1b[31m\\nLabs%{F-}"_s;
        QTest::newRow("waybar feed text cut")
            << Overview{Indicator::Critical,
                        u"Major Service Outage"_s,
                        0,
                        {entry(QString(100, u'n'), Indicator::Critical, u"\x1b]0;x\x07"_s + QString(300, u'd'))}}
            << WatchFormat::Waybar
            << u"{\"alt\":\"critical\",\"class\":\"critical\",\"percentage\":0,\"text\":\"1\",\"tooltip\":\"Major Service Outage\\n"_s
                   + QString(79, u'n') + u"…: \\\\x1b]0;x\\\\x07"_s + QString(187, u'd') + u"…\"}"_s;
        // Before the first result: neither a failure nor all well.
        QTest::newRow("waybar checking")
            << checking() << WatchFormat::Waybar
            << u"{\"alt\":\"checking\",\"class\":\"checking\",\"text\":\"…\",\"tooltip\":\"Checking…\"}"_s;
        QTest::newRow("i3blocks checking")
            << checking() << WatchFormat::I3blocks
            << u"{\"color\":\"#8e8e93\",\"full_text\":\"Checking…\",\"short_text\":\"…\"}"_s;
        QTest::newRow("json checking")
            << checking() << WatchFormat::Json
            << u"{\"indicator\":\"checking\",\"lastRefresh\":0,\"services\":[{\"description\":\"Checking…\",\"id\":\"id-GitHub\",\"indicator\":\"checking\",\"lastChecked\":0,\"muted\":false,\"name\":\"GitHub\",\"provider\":\"\",\"url\":\"\"}],\"summary\":\"Checking…\"}"_s;
        QTest::newRow("json markup")
            << markup() << WatchFormat::Json
            << u"{\"indicator\":\"critical\",\"lastRefresh\":1765000000,\"services\":[{\"description\":\"100% down\",\"id\":\"id-<b>x</b> & \\\"y\\\" %{F#fff}\",\"indicator\":\"critical\",\"lastChecked\":0,\"muted\":false,\"name\":\"<b>x</b> & \\\"y\\\" %{F#fff}\",\"provider\":\"\",\"url\":\"\"}],\"summary\":\"Major Service Outage\"}"_s;
    }

    void formats()
    {
        QFETCH(Overview, view);
        QFETCH(WatchFormat, format);
        QFETCH(QString, line);
        QCOMPARE(watchLine(view, format), line);
    }

    void entriesCrossTheBusUnchanged()
    {
        for (const ServiceEntry &sent : troubled().services)
            QCOMPARE(entryFromMap(entryMap(sent)), sent);
        // the uptime shares, for the windows the record covers
        ServiceEntry shares = troubled().services.first();
        shares.operationalShares = {{7, 0.9995}, {30, 0.5}};
        const QVariantMap map = entryMap(shares);
        QCOMPARE(map.value(u"operational7d"_s).toDouble(), 0.9995);
        QVERIFY(!map.contains(u"operational90d"_s));
        QCOMPARE(entryFromMap(map), shares);
    }

    void interface()
    {
        ScriptedCheck check;
        const Service github = makeService("GitHub");
        const Service slack = makeService("Slack");
        check.script(github.id, {Indicator::Major});
        QVERIFY(ServiceStore().save({slack, github}).ok());

        AppCore::Options options;
        options.systemSignals = false;
        options.autoRefresh = false;
        options.check = check.function();
        options.notifications = std::make_unique<NullNotifications>();
        options.publicService = std::make_unique<DBusPublicService>(connection(u"owner"_s));
        AppCore core(std::move(options));
        QVERIFY(core.publicFace().isPublished());

        QDBusConnection bus = connection(u"client"_s);
        QCOMPARE(propertyOf(bus, u"Indicator"_s).toString(), u"unknown"_s);
        QCOMPARE(propertyOf(bus, u"LastRefresh"_s).toLongLong(), 0);

        QVERIFY(bus.connect(kName, kPath, u"org.freedesktop.DBus.Properties"_s, u"PropertiesChanged"_s, this,
                            SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
        QVERIFY(call(bus, u"Refresh"_s).type() == QDBusMessage::ReplyMessage);
        QTRY_COMPARE(m_changed.value(u"Indicator"_s).toString(), u"major"_s);
        QCOMPARE(m_changed.value(u"Summary"_s).toString(), u"Partial Service Outage"_s);
        QVERIFY(m_changed.value(u"LastRefresh"_s).toLongLong() > 0);

        // Panel order: the troubled service first.
        QList<QVariantMap> services = servicesOf(bus);
        QCOMPARE(services.size(), 2);
        QCOMPARE(services.at(0).value(u"name"_s).toString(), u"GitHub"_s);
        QCOMPARE(services.at(0).value(u"indicator"_s).toString(), u"major"_s);
        QCOMPARE(services.at(1).value(u"indicator"_s).toString(), u"none"_s);

        const QString id = uuidText(slack.id);
        QCOMPARE(call(bus, u"Mute"_s, {id, 0u}).type(), QDBusMessage::ReplyMessage);
        QVERIFY(core.settings().isMuted(slack.id));
        QTRY_VERIFY(servicesOf(bus).at(1).value(u"muted"_s).toBool());
        QCOMPARE(call(bus, u"Unmute"_s, {id}).type(), QDBusMessage::ReplyMessage);
        QVERIFY(!core.settings().isMuted(slack.id));
        QCOMPARE(call(bus, u"Mute"_s, {id, 60u}).type(), QDBusMessage::ReplyMessage);
        QVERIFY(core.settings().mutes().until.contains(slack.id));

        const QDBusMessage unknown = call(bus, u"Unmute"_s, {u"nope"_s});
        QCOMPARE(unknown.errorName(), kInterface + u".Error.UnknownService"_s);
        QVERIFY(unknown.errorMessage().contains(u"nope"_s));
        const QDBusMessage panel = call(bus, u"ShowPanel"_s);
        QCOMPARE(panel.errorName(), kInterface + u".Error.NotSupported"_s);

        // The name stays with the instance that has it.
        DBusPublicService second(connection(u"second"_s));
        QVERIFY(!second.publish({}));
    }

    // Checks alone, follows an instance that appears, and checks alone again once it is gone.
    void watchSwitchesBetweenFollowingAndCheckingAlone()
    {
        ScriptedCheck check;
        const Service github = makeService("GitHub");
        check.script(github.id, {Indicator::Minor});
        QVERIFY(ServiceStore().save({github}).ok());

        QStringList lines;
        WatchCommand::Watcher::Setup setup;
        setup.format = WatchFormat::Waybar;
        setup.print = [&lines](const QString &line) { lines.append(classOf(line)); };
        setup.client = std::make_unique<DBusPublicServiceClient>(connection(u"watcher"_s));
        setup.check = check.function();
        WatchCommand::Watcher watcher(std::move(setup));
        QVERIFY(!watcher.isFollowing());
        QTRY_COMPARE(lines, (QStringList{u"checking"_s, u"minor"_s}));

        auto owner = std::make_unique<DBusPublicService>(connection(u"instance"_s));
        owner->setState(publicState(markup()));
        QVERIFY(owner->publish({}));
        QTRY_COMPARE(lines.value(2), u"critical"_s);
        QVERIFY(watcher.isFollowing());
        owner->setState(publicState(calm()));
        QTRY_COMPARE(lines.value(3), u"none"_s);

        const int checksBefore = check.callCount(github.id);
        owner.reset();
        QTRY_VERIFY(!watcher.isFollowing());
        QTRY_COMPARE(lines.value(4), u"minor"_s);
        // No line of the local monitor's unchecked state between the two.
        QCOMPARE(lines.size(), 5);
        QVERIFY(check.callCount(github.id) > checksBefore);
    }

public Q_SLOTS:
    void propertiesChanged(const QString &, const QVariantMap &changed, const QStringList &)
    {
        for (auto it = changed.cbegin(); it != changed.cend(); ++it)
            m_changed.insert(it.key(), it.value());
    }

private:
    static QString classOf(const QString &line)
    {
        return QJsonDocument::fromJson(line.toUtf8()).object().value(u"class"_s).toString();
    }

    // Calls the instance without blocking: it answers from this very thread.
    static QDBusMessage call(const QDBusConnection &bus, const QString &method, const QVariantList &arguments = {},
                             const QString &interface = kInterface)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(kName, kPath, interface, method);
        message.setArguments(arguments);
        const QDBusPendingCall pending = bus.asyncCall(message);
        (void)QTest::qWaitFor([&] { return pending.isFinished(); }, 10000);
        return pending.reply();
    }

    static QVariant propertyOf(const QDBusConnection &bus, const QString &name)
    {
        const QDBusMessage reply = call(bus, u"Get"_s, {kInterface, name}, u"org.freedesktop.DBus.Properties"_s);
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    static QList<QVariantMap> servicesOf(const QDBusConnection &bus)
    {
        return qdbus_cast<QList<QVariantMap>>(propertyOf(bus, u"Services"_s).value<QDBusArgument>());
    }

    QVariantMap m_changed;
};

QTEST_GUILESS_MAIN(TestPublicBus)
#include "tst_publicbus.moc"
