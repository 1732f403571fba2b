// The desktop application's shell, offscreen: first run, the environment switches, one
// instance per session, and `glinter` on a machine without a display.
#include "app/desktopapp.h"
#include "core/preferences.h"
#include "core/settings.h"
#include "platform/null/nullnotifications.h"
#include "ui/settings/settingsbuttons.h"

#include "testfiles.h"
#include "widgets.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
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

class TestDesktopApp : public QObject
{
    Q_OBJECT

    QTemporaryDir m_runtime;
    int m_panelShown = 0;

    DesktopApp::Options options() const
    {
        DesktopApp::Options options;
        options.instanceDirectory = m_runtime.path();
        options.systemSignals = false;
        options.autoRefresh = false;
        options.settingsRaiseDelay = 10ms;
        options.notifications = std::make_unique<NullNotifications>();
        return options;
    }

    // An app whose panel only counts how often it is shown.
    std::unique_ptr<DesktopApp> appWithPanel()
    {
        auto app = std::make_unique<DesktopApp>(options());
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
        Preferences::settings()->clear();
        qunsetenv("GLINTER_OPEN_SETTINGS");
        qunsetenv("GLINTER_SETTINGS_TAB");
        m_panelShown = 0;
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
        Preferences::setValue(u"hasOnboarded"_s, true);
        qputenv("GLINTER_OPEN_SETTINGS", open);
        qputenv("GLINTER_SETTINGS_TAB", tab);
        const std::unique_ptr<DesktopApp> app = appWithPanel();
        QCOMPARE(app->start(), DesktopApp::Start::Running);
        QCOMPARE(isOpen<SettingsWindow>(), opens);
        if (opens) {
            const auto *tabs = child<QTabWidget>(*topLevel<SettingsWindow>(), "tabs");
            QTEST(tabs->tabText(tabs->currentIndex()), "shown");
        }
        QCOMPARE(m_panelShown, 0);
    }

    // The files a crashed run left behind block nothing; a second `glinter` then hands over
    // to the first.
    void secondInstanceShowsTheFirstsPanel()
    {
        QVERIFY(writeFile(m_runtime.filePath(u"glinter.socket"_s), {}));
        QVERIFY(writeFile(m_runtime.filePath(u"glinter.lock"_s),
                          "999999999\nGlinter\n" + QSysInfo::machineHostName().toUtf8() + '\n'));

        Preferences::setValue(u"hasOnboarded"_s, true);
        const std::unique_ptr<DesktopApp> first = appWithPanel();
        QCOMPARE(first->start(), DesktopApp::Start::Running);
        DesktopApp second(options());
        QCOMPARE(second.start(), DesktopApp::Start::HandedOver);
        QTRY_COMPARE(m_panelShown, 1);
        // Neither built a window: the second one has nothing of its own.
        QVERIFY(!topLevel<SettingsWindow>());
    }

    // Without a panel as well: the settings stand in for it.
    void unusableRuntimeFolderStillRuns()
    {
        Preferences::setValue(u"hasOnboarded"_s, true);
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
        Preferences::setValue(u"hasOnboarded"_s, true);
        DesktopApp::Options withNotifications = options();
        auto notifications = std::make_unique<NullNotifications>();
        const NullNotifications *shown = notifications.get();
        withNotifications.notifications = std::move(notifications);
        DesktopApp app(std::move(withNotifications));
        QCOMPARE(app.start(), DesktopApp::Start::Running);
        const QUuid id = QUuid::createUuid();
        MuteButton bell(app.preferences());
        bell.setServiceID(id);
        const QDateTime before = QDateTime::currentDateTimeUtc();
        shown->invokeMute(id);
        QCOMPARE(bell.accessibleName(), u"Unmute notifications"_s);
        const QDateTime end = Settings().mutes(before).until.value(id);
        QVERIFY2(end >= before.addSecs(3600) && end <= QDateTime::currentDateTimeUtc().addSecs(3601),
                 qPrintable(end.toString(Qt::ISODate)));
        QVERIFY(Settings().mutes().always.isEmpty());
    }

    void withoutADisplayItSaysWhatToRunInstead()
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        environment.remove(u"QT_QPA_PLATFORM"_s);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(GLINTER_BINARY), {});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 3);
        const QByteArray error = process.readAllStandardError();
        QCOMPARE(error.count('\n'), 1);
        QVERIFY2(error.contains("--headless") && error.contains("--check"), error.constData());
        QVERIFY(process.readAllStandardOutput().isEmpty());
    }
};

QTEST_MAIN(TestDesktopApp)
#include "tst_desktopapp.moc"
