// The program's shell: the desktop application offscreen (first run, the environment
// switches, one instance per session, `glinter` on a machine without a display) and
// `glinter --check` against a fake server.
#include "app/checkcommand.h"
#include "app/desktopapp.h"
#include "app/displaychoice.h"
#include "app/startup.h"
#include "core/settings.h"
#include "core/settingsfile.h"
#include "platform/null/nullnotifications.h"
#include "platform/null/nullpublicbus.h"
#include "ui/settings/settingsbuttons.h"

#include "fakeserver.h"
#include "testfiles.h"
#include "widgets.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace std::chrono_literals;

namespace {

// The app's windows are windows of their own, found among the top-level ones.
template<class Window>
bool isOpen()
{
    const Window *window = topLevel<Window>();
    return window && window->isVisible();
}

} // namespace

class TestApp : public QObject
{
    Q_OBJECT

    QTemporaryDir m_runtime;
    int m_panelShown = 0;

    struct Run {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };

    FakeServer m_server;
    QTemporaryDir m_home;

    // `glinter`'s environment: the display named (none by default), its feeds on the fake
    // server, the instance lock beside the one the in-process applications take.
    QProcessEnvironment environment(const QString &x11 = {}, const QString &wayland = {}, const QString &platform = {},
                                    const QString &language = {}) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        if (!language.isEmpty())
            environment.insert(u"LANGUAGE"_s, language);
        for (const auto &[name, value] : {std::pair(u"DISPLAY"_s, x11), std::pair(u"WAYLAND_DISPLAY"_s, wayland),
                                          std::pair(u"QT_QPA_PLATFORM"_s, platform)}) {
            environment.remove(name);
            if (!value.isEmpty())
                environment.insert(name, value);
        }
        environment.insert(u"GLINTER_FEED_ORIGIN"_s, m_server.httpsOrigin().toString());
        environment.insert(u"GLINTER_EXTRA_CA_CERTS"_s, FakeServer::caCertificatePath());
        environment.insert(u"XDG_DATA_HOME"_s, m_home.filePath(u"data"_s));
        environment.insert(u"XDG_CONFIG_HOME"_s, m_home.filePath(u"config"_s));
        // Qt's HTTP worker thread leaves OpenSSL state behind when a process exits right
        // after its last exchange; that is not ours to report.
        environment.insert(u"ASAN_OPTIONS"_s, u"detect_leaks=0"_s);
        // The session bus of whoever runs the tests is not theirs to take.
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path=/nonexistent"_s);
        return environment;
    }

    Run run(const QStringList &arguments, const QString &x11 = {}, const QString &wayland = {},
            const QString &platform = {}, const QString &language = {})
    {
        return run(arguments, environment(x11, wayland, platform, language));
    }

    Run run(const QStringList &arguments, const QProcessEnvironment &environment)
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(QStringLiteral(GLINTER_BINARY), arguments);
        // The fake server lives in this process, so its event loop must keep running.
        if (!finished.wait(60000))
            process.kill();
        return Run{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                   process.readAllStandardOutput(), process.readAllStandardError()};
    }

    QString servicesFile(const QByteArray &content)
    {
        const QString path = m_home.filePath(u"services-%1.json"_s.arg(++m_files));
        (void)::writeFile(path, content);
        return path;
    }

    int m_files = 0;

    DesktopApp::Options options(const StartupEnvironment &environment = {}) const
    {
        DesktopApp::Options options = DesktopApp::options(environment);
        options.instanceDirectory = m_runtime.path();
        options.systemSignals = false;
        options.autoRefresh = false;
        options.settingsRaiseDelay = 10ms;
        options.notifications = std::make_unique<NullNotifications>();
        // The session bus of whoever runs the tests is not theirs to take.
        options.publicService = std::make_unique<NullPublicService>();
        return options;
    }

    // An app whose panel only counts how often it is shown.
    std::unique_ptr<DesktopApp> appWithPanel(const StartupEnvironment &environment = {})
    {
        auto app = std::make_unique<DesktopApp>(options(environment));
        app->setPanelFactory([this](DesktopApp &) { return [this] { ++m_panelShown; }; });
        return app;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // An empty list: nothing in these tests reads a feed.
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Glinter"_s;
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + u"/services.json"_s, "[]\n"));
    }

    void init()
    {
        SettingsFile::settings()->clear();
        SettingsFile::setValue(u"hasOnboarded"_s, true);
        m_panelShown = 0;
        m_server.clearRoutes();
        m_server.clearRequests();
    }

    void onboardingOpensOnceInTheProgramsLife_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("settings");
        QTest::newRow("closed") << int(Qt::Key_Escape) << false;
        QTest::newRow("services chosen") << int(Qt::Key_Return) << true;
    }

    void onboardingOpensOnceInTheProgramsLife()
    {
        QFETCH(int, key);
        QFETCH(bool, settings);
        SettingsFile::settings()->clear();
        {
            const std::unique_ptr<DesktopApp> app = appWithPanel();
            QCOMPARE(app->start(), DesktopApp::Start::Running);
            // A tray app shows nothing by itself; the first appearance of the panel does.
            QVERIFY(!topLevel<OnboardingWindow>());
            app->showPanel();
            QCOMPARE(m_panelShown, 1);
            QVERIFY(isOpen<OnboardingWindow>());
            QTest::keyClick(topLevel<OnboardingWindow>(), Qt::Key(key));
            QTRY_VERIFY(!topLevel<OnboardingWindow>());
            QCOMPARE(isOpen<SettingsWindow>(), settings);
            app->showPanel();
            QVERIFY(!topLevel<OnboardingWindow>());
        }
        // The next run.
        const std::unique_ptr<DesktopApp> app = appWithPanel();
        QCOMPARE(app->start(), DesktopApp::Start::Running);
        app->showPanel();
        QVERIFY(!topLevel<OnboardingWindow>());
    }

    // Compositors, GNOME and notification servers find the installed desktop entry by it.
    void namedAfterItsDesktopEntry()
    {
        const std::unique_ptr<DesktopApp> app = appWithPanel();
        QCOMPARE(app->start(), DesktopApp::Start::Running);
        QCOMPARE(QGuiApplication::desktopFileName() + u".desktop"_s,
                 QFileInfo(QStringLiteral(GLINTER_DESKTOP_FILE)).fileName());
    }

    // Only GLINTER_OPEN_SETTINGS=1 opens the settings at start-up, without the panel, on the
    // tab GLINTER_SETTINGS_TAB names exactly.
    void environmentSwitches_data()
    {
        QTest::addColumn<QByteArray>("open");
        QTest::addColumn<QByteArray>("tab");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1, general") << QByteArray("1") << QByteArray("general") << true << u"General"_s;
        QTest::newRow("1, General") << QByteArray("1") << QByteArray("General") << true << u"Services"_s;
        QTest::newRow("true") << QByteArray("true") << QByteArray() << false << u"Services"_s;
    }

    void environmentSwitches()
    {
        QFETCH(QByteArray, open);
        QFETCH(QByteArray, tab);
        QFETCH(bool, opens);
        qputenv("GLINTER_OPEN_SETTINGS", open);
        qputenv("GLINTER_SETTINGS_TAB", tab);
        const StartupEnvironment environment = StartupEnvironment::read();
        qunsetenv("GLINTER_OPEN_SETTINGS");
        qunsetenv("GLINTER_SETTINGS_TAB");
        const std::unique_ptr<DesktopApp> app = appWithPanel(environment);
        QCOMPARE(app->start(), DesktopApp::Start::Running);
        QCOMPARE(isOpen<SettingsWindow>(), opens);
        if (opens) {
            const auto *tabs = child<QTabWidget>(*topLevel<SettingsWindow>(), "tabs");
            QTEST(tabs->tabText(tabs->currentIndex()), "shown");
        }
        QCOMPARE(m_panelShown, 0);
    }

    // The files a crashed run left behind block nothing.
    void leftoversOfACrashBlockNothing()
    {
        QVERIFY(writeFile(m_runtime.filePath(u"glinter.socket"_s), {}));
        QVERIFY(writeFile(m_runtime.filePath(u"glinter.lock"_s),
                          "999999999\nGlinter\n" + QSysInfo::machineHostName().toUtf8() + '\n'));
        const std::unique_ptr<DesktopApp> app = appWithPanel();
        QCOMPARE(app->start(), DesktopApp::Start::Running);
    }

    // One monitor per session, whichever kind runs first: a second desktop application asks
    // the first to show its panel and ends; any other pair would write the same files and
    // send every alert twice, so the second says why in one line and ends with 3. A check
    // runs beside either.
    void oneMonitorPerSession_data()
    {
        QTest::addColumn<bool>("headlessFirst");
        QTest::addColumn<QStringList>("arguments"); // "%1": a services file
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("refusal"); // empty: none
        const QStringList headless{u"--headless"_s};
        QTest::newRow("two desktop applications") << false << QStringList() << 0 << QByteArray();
        QTest::newRow("--headless beside the desktop application")
            << false << headless << 3 << QByteArray("glinter: Glinter is already running (process ");
        QTest::newRow("the desktop application beside --headless")
            << true << QStringList() << 3 << QByteArray("glinter: glinter --headless is already running (process ");
        QTest::newRow("two --headless") << true << headless << 3
                                        << QByteArray("glinter: Glinter is already running (process ");
        QTest::newRow("--check beside --headless")
            << true << QStringList{u"--check"_s, u"--services"_s, u"%1"_s} << 0 << QByteArray();
    }

    void oneMonitorPerSession()
    {
        QFETCH(bool, headlessFirst);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, refusal);
        // A list of their own, on the fake server.
        m_server.setRoute("/up", FakeRoute::text("ok"));
        const QByteArray list = QStringLiteral(R"([{"name":"Up","url":"%1","provider":"website"}])")
                                    .arg(m_server.httpsUrl(u"/up"_s).toString())
                                    .toUtf8();
        const QTemporaryDir home;
        QVERIFY(QDir().mkpath(home.filePath(u"data/Glinter"_s)));
        QVERIFY(writeFile(home.filePath(u"data/Glinter/services.json"_s), list));
        QProcessEnvironment session = environment({}, {}, u"offscreen"_s);
        session.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
        session.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));

        std::unique_ptr<DesktopApp> desktop;
        QProcess first;
        if (headlessFirst) {
            first.setProcessEnvironment(session);
            first.start(QStringLiteral(GLINTER_BINARY), {u"--headless"_s});
            QByteArray printed;
            QTRY_VERIFY_WITH_TIMEOUT((printed += first.readAllStandardOutput()).contains("watching"), 20000);
        } else {
            desktop = appWithPanel();
            QCOMPARE(desktop->start(), DesktopApp::Start::Running);
        }
        const Run second = run(arguments.replaceInStrings(u"%1"_s, home.filePath(u"data/Glinter/services.json"_s)),
                               session);

        QTEST(second.exitCode, "exitCode");
        if (refusal.isEmpty()) {
            QVERIFY2(!second.err.contains("already running"), second.err.constData());
        } else {
            QVERIFY2(second.err.startsWith(refusal), second.err.constData());
            QCOMPARE(second.err.count('\n'), 1);
        }
        QTRY_COMPARE(m_panelShown, !headlessFirst && arguments.isEmpty() ? 1 : 0);
        if (headlessFirst) {
            first.terminate();
            QVERIFY(first.waitForFinished(20000));
            QCOMPARE(first.exitCode(), 0);
        }
    }

    // Without a panel as well: the settings stand in for it.
    void unusableRuntimeFolderStillRuns()
    {
        QFile blocker(m_runtime.filePath(u"not-a-folder"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        DesktopApp::Options unusable = options();
        unusable.instanceDirectory = blocker.fileName();
        DesktopApp app(std::move(unusable));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^glinter: cannot make sure Glinter runs once"_s));
        QCOMPARE(app.start(), DesktopApp::Start::Running);
        QVERIFY(isOpen<SettingsWindow>());
    }

    // A notification's "Mute for 1 Hour" mutes its service for an hour, and a bell already
    // shown says so at once.
    void muteFromANotification()
    {
        DesktopApp::Options withNotifications = options();
        auto notifications = std::make_unique<NullNotifications>();
        const NullNotifications *shown = notifications.get();
        withNotifications.notifications = std::move(notifications);
        DesktopApp app(std::move(withNotifications));
        QCOMPARE(app.start(), DesktopApp::Start::Running);
        const QUuid id = QUuid::createUuid();
        MuteButton bell(app.settings());
        bell.setService(id, u"Acme"_s);
        const QDateTime before = QDateTime::currentDateTimeUtc();
        shown->invokeMute(id);
        QCOMPARE(bell.accessibleName(), u"Unmute notifications for Acme"_s);
        const QDateTime end = Settings().mutes(before).until.value(id);
        QVERIFY2(end >= before.addSecs(3600) && end <= QDateTime::currentDateTimeUtc().addSecs(3601),
                 qPrintable(end.toString(Qt::ISODate)));
        QVERIFY(Settings().mutes().always.isEmpty());
    }

    // A display that is named but does not answer (a stale `ssh -X`, tmux) is no display.
    void withoutADisplayItSaysWhatToRunInstead_data()
    {
        QTest::addColumn<QString>("x11");
        QTest::addColumn<QString>("wayland");
        QTest::addColumn<QString>("platform");
        QTest::newRow("none named") << QString() << QString() << QString();
        QTest::newRow("an X server that is not there") << u":97"_s << QString() << QString();
        QTest::newRow("the same, asked for") << u":97"_s << QString() << u"xcb"_s;
        QTest::newRow("a compositor that is not there") << QString() << u"wayland-97"_s << QString();
    }

    void withoutADisplayItSaysWhatToRunInstead()
    {
        QFETCH(QString, x11);
        QFETCH(QString, wayland);
        QFETCH(QString, platform);
        const Run result = run({}, x11, wayland, platform);
        QCOMPARE(result.exitCode, 3);
        QCOMPARE(result.err.count('\n'), 1);
        QVERIFY2(result.err.contains("--headless") && result.err.contains("--check"), result.err.constData());
        QVERIFY(result.out.isEmpty());
    }

    // Qt's platform: Xwayland where only it lets the panel open at the icon, Qt's own
    // choice elsewhere, and never a display that does not answer.
    void displayChoice_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("answering"); // "x", "w", "xw" or ""
        QTest::addColumn<bool>("sway");
        QTest::addColumn<QString>("chosen"); // "-": unreachable, "": left to Qt
        const auto row = [](const char *name, const char *desktop, const char *asked, const char *answering, bool sway,
                            const char *chosen) {
            QTest::newRow(name) << QString::fromLatin1(desktop) << QString::fromLatin1(asked)
                                << QString::fromLatin1(answering) << sway << QString::fromLatin1(chosen);
        };
        row("GNOME on Wayland", "ubuntu:GNOME", "", "xw", false, "xcb");
        row("GNOME without Xwayland", "GNOME", "", "w", false, "wayland");
        row("sway places windows itself", "sway", "", "xw", true, "");
        row("another compositor", "Hyprland", "", "xw", false, "");
        row("plain X11", "XFCE", "", "x", false, "xcb");
        row("the user's choice stands", "GNOME", "wayland", "xw", false, "");
        row("the user's choice, not there", "GNOME", "wayland", "x", false, "-");
        row("a fallback the user named", "GNOME", "wayland;xcb", "x", false, "");
        row("offscreen needs nothing", "", "offscreen", "", false, "");
        row("nothing answers", "GNOME", "", "", false, "-");
    }

    void displayChoice()
    {
        QFETCH(QString, desktop);
        QFETCH(QString, asked);
        QFETCH(QString, answering);
        QFETCH(bool, sway);
        QFETCH(QString, chosen);
        const DisplayEnvironment environment{.qpaPlatform = asked,
                                             .x11Display = u":1"_s,
                                             .waylandDisplay = u"wayland-1"_s,
                                             .runtimeDirectory = u"/run/user/1000"_s,
                                             .currentDesktop = desktop,
                                             .swaySocket = sway ? u"/run/user/1000/sway-ipc.sock"_s : QString()};
        const DisplayProbe probe{[&](const QString &) { return answering.contains(u'x'); },
                                 [&](const QString &, const QString &) { return answering.contains(u'w'); }};
        const DisplayChoice choice = chooseDisplay(environment, probe);
        QCOMPARE(choice.reachable, chosen != u"-");
        QCOMPARE(choice.platform.value_or(QString()), chosen == u"-" ? QString() : chosen);
    }

    void exitCodeFollowsTheWorstState()
    {
        const auto exitCode = [](const QStringList &indicators) {
            QList<ServiceStatusResult> results;
            for (const QString &word : indicators)
                results.append(ServiceStatusResult{QUuid(), indicatorFromStatuspageWord(word), {}, {}, {}, false});
            return CheckCommand::exitCode(results);
        };
        QCOMPARE(exitCode({u"none"_s, u"none"_s}), 0);
        QCOMPARE(exitCode({u"minor"_s, u"major"_s}), 2);
        QCOMPARE(exitCode({u"garbled"_s, u"critical"_s}), 2);
        QCOMPARE(exitCode({u"none"_s, u"garbled"_s}), 3);
    }

    // An incident over a page that answers through the rewritten address, and a service
    // narrowed to parts of a self-hosted page: read from the page's own list, judged on the
    // chosen parts alone, and named in the report.
    void bothReportsEndToEnd()
    {
        m_server.setRoute("/api/v2/status.json",
                          FakeRoute::json(R"({"status":{"indicator":"critical","description":"Major outage"},
                                               "incidents":[{"name":"Database down","status":"investigating"}]})"));
        m_server.setRoute(
            "/api/v1/endpoints/statuses",
            FakeRoute::json(R"([{"name":"blog","group":"core","key":"core_blog","results":[{"success":false}]},
                                              {"name":"api","group":"core","key":"core_api","results":[{"success":true}]}])"));
        const QString path = servicesFile(QStringLiteral(R"([{"name":"Beta","url":"%1","provider":"statuspage"},
                               {"name":"Lab","url":"%2","provider":"gatus","components":["core_api"]},
                               {"name":"Lab all","url":"%3","provider":"gatus"}])")
                                              .arg(m_server.httpsUrl(u"/beta"_s).toString(),
                                                   m_server.httpUrl(u"/"_s).toString(),
                                                   m_server.httpUrl(u"/all"_s).toString())
                                              .toUtf8());

        const Run text = run({u"--check"_s, u"--services"_s, path});
        QVERIFY2(text.exitCode == 2, text.err.constData());
        QVERIFY2(text.out.contains("Beta: Major outage \xe2\x80\x94 Database down"), text.out.constData());

        const Run json = run({u"--check"_s, u"--json"_s, u"--services"_s, path});
        QVERIFY2(json.exitCode == 2, json.err.constData());
        const QJsonArray reports = QJsonDocument::fromJson(json.out).array();
        const QJsonObject beta = reports.at(0).toObject();
        QCOMPARE(beta.value(u"indicator"_s).toString(), u"critical"_s);
        QCOMPARE(beta.value(u"incidentTitle"_s).toString(), u"Database down"_s);
        const QDateTime checked = QDateTime::fromString(beta.value(u"lastChecked"_s).toString(), Qt::ISODate);
        QVERIFY(checked.isValid());
        QCOMPARE(checked.timeSpec(), Qt::UTC);
        QCOMPARE(reports.at(1)[u"indicator"_s].toString(), u"none"_s);
        QCOMPARE(reports.at(1)[u"components"_s].toArray(), QJsonArray{u"core_api"_s});
        QCOMPARE(reports.at(2)[u"indicator"_s].toString(), u"major"_s);
        QVERIFY(!reports.at(2).toObject().contains(u"components"_s));
    }

    // What a page tells besides its state: arrays in JSON (none for the website probe, which
    // reads no page), one line per incident under a service in trouble.
    void storyInBothReports()
    {
        const Service page{QUuid::createUuid(), u"Beta"_s, QUrl(u"https://status.beta.test"_s),
                           ProviderKind::Statuspage, std::nullopt};
        const Service site{QUuid::createUuid(), u"Site"_s, QUrl(u"https://beta.test"_s), ProviderKind::Website,
                           std::nullopt};
        const QDateTime started(QDate(2026, 12, 7), QTime(3, 10), Qt::UTC);
        ServiceStatusResult troubled{page.id, Indicator::Major, u"Partial System Outage"_s, started};
        troubled.incidents = {Incident{u"Database down"_s, u"Identified"_s, Indicator::Critical, started,
                                       started.addSecs(600), u"We found it."_s, QUrl(u"https://stspg.io/x"_s)},
                              Incident{u"Slow logins"_s, {}, std::nullopt, {}, {}, {}, {}}};
        troubled.maintenances = {Maintenance{u"Upgrade"_s, Maintenance::Status::InProgress, started,
                                             started.addSecs(3600), QUrl(u"https://stspg.io/m"_s)}};
        const ServiceStatusResult probed{site.id, Indicator::None, u"Online"_s, started};

        const QJsonArray report =
            QJsonDocument::fromJson(CheckCommand::jsonReport({page, site}, {troubled, probed})).array();
        const QJsonArray incidents = report.at(0)[u"incidents"_s].toArray();
        QCOMPARE(incidents.size(), 2);
        QCOMPARE(incidents.at(0).toObject(), (QJsonObject{{u"title"_s, u"Database down"_s},
                                                          {u"status"_s, u"identified"_s},
                                                          {u"impact"_s, u"critical"_s},
                                                          {u"startedAt"_s, u"2026-12-07T03:10:00Z"_s},
                                                          {u"updatedAt"_s, u"2026-12-07T03:20:00Z"_s},
                                                          {u"update"_s, u"We found it."_s},
                                                          {u"url"_s, u"https://stspg.io/x"_s}}));
        // what the feed does not say stays unknown
        QVERIFY(!incidents.at(1).toObject().contains(u"impact"_s));
        QVERIFY(incidents.at(1)[u"startedAt"_s].isNull());
        QCOMPARE(report.at(0)[u"maintenances"_s].toArray().at(0).toObject(),
                 (QJsonObject{{u"title"_s, u"Upgrade"_s},
                              {u"status"_s, u"in_progress"_s},
                              {u"startsAt"_s, u"2026-12-07T03:10:00Z"_s},
                              {u"endsAt"_s, u"2026-12-07T04:10:00Z"_s},
                              {u"url"_s, u"https://stspg.io/m"_s}}));
        QVERIFY(!report.at(1).toObject().contains(u"incidents"_s));
        QVERIFY(!report.at(1).toObject().contains(u"maintenances"_s));

        const QStringList lines = CheckCommand::textReport({page, site}, {troubled, probed}).split(u'\n');
        QCOMPARE(lines.mid(1, 2), (QStringList{u"    identified since 2026-12-07 03:10 UTC: Database down"_s,
                                               u"    ongoing: Slow logins"_s}));
        QVERIFY(lines.at(3).startsWith(u"NONE"_s));
    }

    void checksWhatTheFileLists_data()
    {
        QTest::addColumn<QByteArray>("content"); // "%1": a status page on the fake server
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("reported"); // provider and description of each service
        QTest::addColumn<QByteArray>("said"); // on stderr
        QTest::addColumn<int>("requests"); // of the status page; none anywhere else
        QTest::newRow("emptied list") << QByteArray("[]") << 0 << QStringList()
                                      << QByteArray("lists no services; nothing was checked") << 0;
        QTest::newRow("provider of a newer version")
            << QByteArray(R"([{"name":"Next","url":"%1","provider":"gatus2"}])") << 3
            << QStringList{u"gatus2: Unknown provider \u201cgatus2\u201d (needs a newer Glinter)"_s} << QByteArray()
            << 0;
        QTest::newRow("address off the web")
            << QByteArray(R"([{"name":"Local","url":"file:\/\/\/etc\/passwd"},{"name":"Beta","url":"%1"}])") << 3
            << QStringList{u"statuspage: All good"_s}
            << QByteArray("Record 1: \"url\" is not an http or https address; not checked") << 1;
    }

    // What the file lists is what is checked: an emptied list nothing (which is no failure),
    // a service of a provider this version lacks without a request, and an operational page
    // next to a record that cannot be read is not all clear.
    void checksWhatTheFileLists()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, exitCode);
        QFETCH(QStringList, reported);
        QFETCH(QByteArray, said);
        QFETCH(int, requests);
        m_server.setRoute("/api/v2/status.json",
                          FakeRoute::json(R"({"status":{"indicator":"none","description":"All good"}})"));
        const QString path = servicesFile(content.replace("%1", m_server.httpsUrl(u"/beta"_s).toEncoded()));
        const Run result = run({u"--check"_s, u"--json"_s, u"--services"_s, path});
        QVERIFY2(result.exitCode == exitCode, result.err.constData());
        QVERIFY2(result.err.contains(said), result.err.constData());
        QStringList shown;
        const QJsonArray reports = QJsonDocument::fromJson(result.out).array();
        for (const QJsonValue &report : reports)
            shown.append(report[u"provider"_s].toString() + u": "_s + report[u"description"_s].toString());
        QCOMPARE(shown, reported);
        QCOMPARE(m_server.requestCount("/api/v2/status.json"), requests);
        QVERIFY(requests > 0 || m_server.requests().isEmpty());
        QCOMPARE(readFile(path), content);
    }

    // What providers learn is kept for the next run whichever mode learnt it: a Status.io
    // page is searched for its identifier once, not at every start of a status bar's watcher.
    void providersRememberAcrossRuns_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("check") << QStringList{u"--check"_s};
        QTest::newRow("watch") << QStringList{u"--watch"_s};
    }

    void providersRememberAcrossRuns()
    {
        QFETCH(QStringList, arguments);
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u"/Glinter"_s;
        QVERIFY(QDir(cache).removeRecursively());
        // where the started programs look
        const QString services = m_home.filePath(u"data/Glinter/services.json"_s);
        QVERIFY(QDir().mkpath(QFileInfo(services).path()));
        QVERIFY(writeFile(services, "[{\"name\":\"Paged\",\"provider\":\"statusio\",\"url\":\""
                                        + m_server.httpsUrl(u"/status"_s).toEncoded() + "\"}]"));
        m_server.setRoute("/status", FakeRoute::text("pageId: \"aaa111\""));
        QFile status(QStringLiteral(GLINTER_TEST_DATA "/feeds/statusio/status-disruption.json"));
        QVERIFY(status.open(QIODevice::ReadOnly));
        m_server.setRoute("/1.0/status/aaa111", FakeRoute::json(status.readAll()));

        for (int round = 1; round <= 2; ++round) {
            QProcess glinter;
            glinter.setProcessEnvironment(environment());
            glinter.start(QStringLiteral(GLINTER_BINARY), arguments);
            QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount("/1.0/status/aaa111"), round, 30000);
            // Kept once the feed's answer is read, a moment after the server saw the request.
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(cache + u"/statusio-pages.json"_s), 30000);
            // A watcher runs until its bar ends it.
            QTRY_VERIFY_WITH_TIMEOUT(glinter.state() == QProcess::NotRunning || arguments != QStringList{u"--check"_s},
                                     30000);
            glinter.kill();
            glinter.waitForFinished();
        }
        QCOMPARE(m_server.requestCount("/status"), 1);
        QVERIFY(QDir(m_home.filePath(u"data"_s)).removeRecursively());
    }

    // In the user's language --check tells people what it found in their words, and scripts
    // in the words they match: the state column, the JSON keys and the states stay English.
    void checkTranslatesOnlyWhatPeopleRead()
    {
        m_server.setRoute("*", FakeRoute::json("[1]"));
        const QString path = servicesFile(u"[{\"name\":\"Beta\",\"url\":\"%1\",\"provider\":\"statuspage\"}]"_s
                                              .arg(m_server.httpsUrl(u"/beta"_s).toString())
                                              .toUtf8());
        const QByteArray german = "Die Daten konnten nicht gelesen werden";

        const Run text = run({u"--check"_s, u"--services"_s, path}, {}, {}, {}, u"de"_s);
        const QByteArray line = "UNKNOWN  Beta: " + german;
        QVERIFY2(text.out.startsWith(line), text.out.constData());

        const Run json = run({u"--check"_s, u"--json"_s, u"--services"_s, path}, {}, {}, {}, u"de"_s);
        const QJsonObject report = QJsonDocument::fromJson(json.out).array().at(0).toObject();
        QCOMPARE(report.value(u"indicator"_s).toString(), u"unknown"_s);
        QVERIFY2(report.value(u"description"_s).toString().startsWith(QString::fromUtf8(german)), json.out.constData());

        const Run help = run({u"--help"_s}, {}, {}, {}, u"de"_s);
        QVERIFY2(help.out.contains("--check"), help.out.constData());
        QVERIFY2(help.out.contains(u"Jeden Dienst einmal pr\u00fcfen"_s.toUtf8()), help.out.constData());
    }

    // A run that cannot use its file or its arguments checks nothing, writes nothing and ends
    // with status 3; a JSON report is then an empty array.
    void refusedRunChecksNothing_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "%1": a file holding `content`
        QTest::addColumn<QByteArray>("content"); // null: a folder in the file's place
        QTest::addColumn<QByteArray>("reason");
        const QStringList check{u"--check"_s, u"--json"_s, u"--services"_s};
        QTest::newRow("no valid record") << check + QStringList{u"%1"_s} << QByteArray(R"([{"name":"A","ulr":"x"}])")
                                         << QByteArray("Record 1: missing \"url\"");
        QTest::newRow("a folder") << check + QStringList{u"%1"_s} << QByteArray() << QByteArray("cannot read");
        QTest::newRow("missing file") << check + QStringList{u"/nonexistent/services.json"_s} << QByteArray("")
                                      << QByteArray("cannot read");
        QTest::newRow("json without check")
            << QStringList{u"--json"_s} << QByteArray("") << QByteArray("go with --check");
    }

    void refusedRunChecksNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, reason);
        m_server.setRoute("*", FakeRoute::json(R"({"status":{"indicator":"none","description":"All good"}})"));
        const QString path = servicesFile(content);
        if (content.isNull())
            QVERIFY(QFile::remove(path) && QDir().mkpath(path));
        const Run result = run(arguments.replaceInStrings(u"%1"_s, path));
        QCOMPARE(result.exitCode, 3);
        QVERIFY2(result.err.contains(reason), result.err.constData());
        QCOMPARE(QJsonDocument::fromJson(result.out),
                 arguments.contains(u"--check"_s) ? QJsonDocument(QJsonArray()) : QJsonDocument());
        QCOMPARE(m_server.requests().size(), 0);
        QVERIFY(!QDir(m_home.filePath(u"data"_s)).exists());
    }
};

QTEST_MAIN(TestApp)
#include "tst_app.moc"
