// The desktop application's shell, offscreen: first run, the environment switches, one
// instance per session, and `glinter` on a machine without a display.
#include "app/desktopapp.h"
#include "app/singleinstance.h"
#include "core/preferences.h"
#include "platform/null/nullnotifications.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

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
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Glinter");
        QVERIFY(QDir().mkpath(folder));
        QFile file(folder + QStringLiteral("/services.json"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[]\n");
    }

    void init()
    {
        Preferences::settings()->clear();
        qunsetenv("GLINTER_OPEN_SETTINGS");
        qunsetenv("GLINTER_SETTINGS_TAB");
        m_panelShown = 0;
    }

    void onboardingOpensOnceInTheProgramsLife()
    {
        {
            const std::unique_ptr<DesktopApp> app = appWithPanel();
            QCOMPARE(app->start(), DesktopApp::Start::Running);
            // A tray app shows nothing by itself; the first appearance of the panel does.
            QVERIFY(!app->onboardingWindow());
            app->showPanel();
            QCOMPARE(m_panelShown, 1);
            QVERIFY(app->onboardingWindow() && app->onboardingWindow()->isVisible());
            QVERIFY(DesktopApp::hasOnboarded());

            // Closed without choosing anything.
            QTest::keyClick(app->onboardingWindow(), Qt::Key_Escape);
            QTRY_VERIFY(!app->onboardingWindow());
            QVERIFY(!app->settingsWindow());
            app->showPanel();
            QVERIFY(!app->onboardingWindow());
        }
        // The next run.
        const std::unique_ptr<DesktopApp> app = appWithPanel();
        QCOMPARE(app->start(), DesktopApp::Start::Running);
        app->showPanel();
        QVERIFY(!app->onboardingWindow());
    }

    void choosingServicesOpensTheSettings()
    {
        const std::unique_ptr<DesktopApp> app = appWithPanel();
        QCOMPARE(app->start(), DesktopApp::Start::Running);
        app->showPanel();
        QVERIFY(app->onboardingWindow());
        QVERIFY(!app->settingsWindow());
        QTest::keyClick(app->onboardingWindow(), Qt::Key_Return);
        QVERIFY(app->settingsWindow() && app->settingsWindow()->isVisible());
        QTRY_VERIFY(!app->onboardingWindow());
    }

    void withoutAPanelTheSettingsStandIn()
    {
        Preferences::setValue(QStringLiteral("hasOnboarded"), true);
        DesktopApp app(options());
        QCOMPARE(app.start(), DesktopApp::Start::Running);
        QVERIFY(app.settingsWindow() && app.settingsWindow()->isVisible());
        QCOMPARE(app.settingsWindow()->windowTitle(), QStringLiteral("Glinter Settings"));
    }

    void openSettingsSwitch_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("opens");
        QTest::newRow("1") << QByteArray("1") << true;
        QTest::newRow("true") << QByteArray("true") << false;
        QTest::newRow("leading zero") << QByteArray("01") << false;
        QTest::newRow("space") << QByteArray("1 ") << false;
        QTest::newRow("empty") << QByteArray("") << false;
    }

    void openSettingsSwitch()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, opens);
        Preferences::setValue(QStringLiteral("hasOnboarded"), true);
        qputenv("GLINTER_OPEN_SETTINGS", value);
        const std::unique_ptr<DesktopApp> app = appWithPanel();
        QCOMPARE(app->start(), DesktopApp::Start::Running);
        QCOMPARE(app->settingsWindow() && app->settingsWindow()->isVisible(), opens);
        QCOMPARE(m_panelShown, 0);
    }

    void settingsTabSwitch_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<SettingsWindow::Tab>("tab");
        QTest::newRow("general") << QByteArray("general") << SettingsWindow::Tab::General;
        QTest::newRow("General") << QByteArray("General") << SettingsWindow::Tab::Services;
        QTest::newRow("services") << QByteArray("services") << SettingsWindow::Tab::Services;
        QTest::newRow("empty") << QByteArray("") << SettingsWindow::Tab::Services;
    }

    void settingsTabSwitch()
    {
        QFETCH(QByteArray, value);
        QFETCH(SettingsWindow::Tab, tab);
        qputenv("GLINTER_OPEN_SETTINGS", "1");
        qputenv("GLINTER_SETTINGS_TAB", value);
        Preferences::setValue(QStringLiteral("hasOnboarded"), true);
        const std::unique_ptr<DesktopApp> app = appWithPanel();
        QCOMPARE(app->start(), DesktopApp::Start::Running);
        QVERIFY(app->settingsWindow());
        QCOMPARE(app->settingsWindow()->currentTab(), tab);
    }

    void secondInstanceShowsTheFirstsPanel()
    {
        Preferences::setValue(QStringLiteral("hasOnboarded"), true);
        const std::unique_ptr<DesktopApp> first = appWithPanel();
        QCOMPARE(first->start(), DesktopApp::Start::Running);

        DesktopApp second(options());
        QCOMPARE(second.start(), DesktopApp::Start::HandedOver);
        QTRY_COMPARE(m_panelShown, 1);
        // The second one built nothing of its own.
        QVERIFY(!second.settingsWindow());
    }

    void leftoversOfACrashedRunDoNotBlock()
    {
        // A socket file and a lock file whose owner is gone.
        QFile socket(m_runtime.filePath(QStringLiteral("glinter.socket")));
        QVERIFY(socket.open(QIODevice::WriteOnly));
        socket.close();
        QFile lock(m_runtime.filePath(QStringLiteral("glinter.lock")));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("999999999\nGlinter\n" + QSysInfo::machineHostName().toUtf8() + '\n');
        lock.close();

        SingleInstance instance(m_runtime.path());
        QCOMPARE(instance.claim(), SingleInstance::Claim::Running);
        SingleInstance later(m_runtime.path());
        QCOMPARE(later.claim(), SingleInstance::Claim::Taken);
        QSignalSpy shown(&instance, &SingleInstance::showRequested);
        QVERIFY(later.notifyRunning(2s));
        QTRY_COMPARE(shown.size(), 1);
    }

    void unusableRuntimeFolderStillRuns()
    {
        Preferences::setValue(QStringLiteral("hasOnboarded"), true);
        QFile blocker(m_runtime.filePath(QStringLiteral("not-a-folder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        DesktopApp::Options unusable = options();
        unusable.instanceDirectory = blocker.fileName();
        DesktopApp app(std::move(unusable));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^glinter: cannot make sure Glinter runs once")));
        QCOMPARE(app.start(), DesktopApp::Start::Running);
    }

    void withoutADisplayItSaysWhatToRunInstead()
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
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
