#include "app/desktopapp.h"

#include "alerts/notifier.h"
#include "app/displaychoice.h"
#include "app/publicface.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "core/settings.h"
#include "platform/display.h"
#include "platform/terminationsignals.h"
#include "ui/tray/traycontroller.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QTimer>

#include <cstdio>

namespace {

// How long a second `glinter` waits for the running one to take its request.
constexpr std::chrono::seconds handOverTimeout{5};

// Why the desktop application does not start beside `glinter --headless`.
QString headlessRunning(qint64 process)
{
    const QString running = process > 0 ? QCoreApplication::translate("DesktopApp", "process %1").arg(process)
                                        : QCoreApplication::translate("DesktopApp", "process unknown");
    return QCoreApplication::translate("DesktopApp",
                                       "glinter --headless is already running (%1) and only one Glinter may watch the "
                                       "services; stop it to start the desktop application, or follow it with "
                                       "glinter --watch")
        .arg(running);
}

// Whether the desktop application has a display it can reach, choosing Qt's platform on
// the way; without one, QApplication would abort.
bool prepareDisplay(const DisplayEnvironment &environment)
{
    const DisplayChoice choice = chooseDisplay(environment, {x11DisplayReachable, waylandDisplayReachable});
    if (choice.platform)
        qputenv("QT_QPA_PLATFORM", choice.platform->toLocal8Bit());
    return choice.reachable;
}

} // namespace

int DesktopApp::run(int argc, char *argv[], const StartupEnvironment &environment)
{
    if (!prepareDisplay(environment.display)) {
        std::fputs("glinter: no display to show the tray on; run glinter --headless to watch the services "
                   "without one, or glinter --check to check them once\n",
                   stderr);
        return Startup::kCannotRun;
    }
    // Qt's GTK platform theme (QT_QPA_PLATFORMTHEME=gtk3) starts GTK inside QApplication, and
    // GTK's own accessibility bridge would show screen readers a second, empty application
    // beside Qt's. It is kept off for that start only: the programs Glinter opens (the
    // browser) inherit the environment and keep theirs.
    const bool atBridgeWasSet = qEnvironmentVariableIsSet("NO_AT_BRIDGE");
    const QByteArray atBridge = qgetenv("NO_AT_BRIDGE");
    qputenv("NO_AT_BRIDGE", "1");
    QApplication app(argc, argv);
    if (atBridgeWasSet)
        qputenv("NO_AT_BRIDGE", atBridge);
    else
        qunsetenv("NO_AT_BRIDGE");
    Startup::speakUsersLanguage();
    // Glinter lives in the tray: closing a window (settings, onboarding, the panel, or the
    // window standing in for the tray) leaves it running.
    QApplication::setQuitOnLastWindowClosed(false);
    Startup::applyNetwork(environment);

    DesktopApp shell(options(environment));
    shell.setPanelFactory(trayPanel(environment.display.swaySocket));
    switch (shell.start()) {
    case Start::HandedOver:
        return 0;
    case Start::Failed:
        std::fprintf(stderr, "glinter: %s\n", qUtf8Printable(shell.error()));
        return Startup::kCannotRun;
    case Start::Running:
        break;
    }
    // SIGTERM (a logout, systemctl) ends the run like Quit does, with the history and the
    // uptime record written first, while the watchdog allows for it.
    const std::unique_ptr<TerminationSignals> termination = Startup::quitOnTermination(
        [&shell](int) { shell.monitor().flush(); });
    return QApplication::exec();
}

DesktopApp::Options DesktopApp::options(const StartupEnvironment &environment)
{
    Options options;
    options.openSettings = environment.openSettings;
    options.settingsTab = environment.settingsOnGeneralTab ? SettingsWindow::Tab::General
                                                           : SettingsWindow::Tab::Services;
    return options;
}

DesktopApp::PanelFactory DesktopApp::trayPanel(const QString &swaySocket)
{
    return [swaySocket](DesktopApp &app) -> PanelPresenter {
        TrayController::Desktop desktop;
        desktop.swaySocket = swaySocket;
        auto *tray = new TrayController(app.monitor(), app.urlOpener(), std::move(desktop), &app);
        connect(tray, &TrayController::settingsRequested, &app, &DesktopApp::openSettings);
        connect(tray, &TrayController::quitRequested, qApp, &QCoreApplication::quit);
        connect(tray, &TrayController::panelShown, &app, &DesktopApp::presentOnboardingIfNeeded);
        // Balloons while the desktop has no notification service.
        app.notifier().notifications().setFallback(tray->notificationFallback());
        return [tray] { tray->showPanel(); };
    };
}

DesktopApp::DesktopApp()
    : DesktopApp(Options{})
{
}

DesktopApp::DesktopApp(Options options, QObject *parent)
    : QObject(parent)
    , m_options(std::move(options))
{
}

DesktopApp::~DesktopApp()
{
    // The windows hold the monitor: they go first.
    delete m_onboarding;
    delete m_settings;
}

DesktopApp::Start DesktopApp::start()
{
    // Before the first window: Wayland compositors take it as the windows' app id, and
    // they, GNOME and the notification servers tie windows, notifications and the tray
    // icon to the desktop entry of that name (its icon, its name in the overview).
    QGuiApplication::setDesktopFileName(QStringLiteral(GLINTER_APP_ID));
    m_instance = std::make_unique<SingleInstance>(
        SingleInstance::Kind::Desktop,
        m_options.instanceDirectory.isEmpty() ? SingleInstance::defaultDirectory() : m_options.instanceDirectory);
    switch (m_instance->claim()) {
    case SingleInstance::Claim::Running:
        connect(m_instance.get(), &SingleInstance::showRequested, this, &DesktopApp::showPanel);
        break;
    case SingleInstance::Claim::Taken:
        switch (m_instance->askToShow(handOverTimeout)) {
        case SingleInstance::Answer::Shown:
            return Start::HandedOver;
        case SingleInstance::Answer::Headless:
            m_error = headlessRunning(m_instance->runningProcess());
            return Start::Failed;
        case SingleInstance::Answer::None:
            break;
        }
        m_error = QStringLiteral("Glinter is already running but does not answer: ") + m_instance->error();
        return Start::Failed;
    case SingleInstance::Claim::Unavailable:
        // Better two monitors than none: run without the guard.
        qWarning().noquote() << QStringLiteral("glinter: cannot make sure Glinter runs once: ") + m_instance->error();
        m_instance.reset();
        break;
    }

    m_core = std::make_unique<AppCore>(std::move(static_cast<AppCore::Options &>(m_options)));
    m_core->publicFace().setPanelPresenter([this] { showPanel(); });

    if (m_panelFactory)
        m_presentPanel = m_panelFactory(*this);

    if (m_options.openSettings) {
        openSettings();
        QTimer::singleShot(m_options.settingsRaiseDelay, this, &DesktopApp::raiseSettings);
    }
    // Without a tray there is nothing else to see.
    if (!m_presentPanel)
        showPanel();
    return Start::Running;
}

void DesktopApp::showPanel()
{
    if (!m_core)
        return;
    if (m_presentPanel)
        m_presentPanel();
    else
        openSettings();
    presentOnboardingIfNeeded();
}

void DesktopApp::openSettings()
{
    if (!m_core)
        return;
    if (!m_settings)
        m_settings = new SettingsWindow(m_core->monitor(), m_options.settingsTab);
    m_settings->open();
}

void DesktopApp::raiseSettings()
{
    if (!m_settings || !m_settings->isVisible())
        return;
    m_settings->raise();
    m_settings->activateWindow();
}

void DesktopApp::presentOnboardingIfNeeded()
{
    if (m_core->settings().hasOnboarded())
        return;
    // Recorded before the window opens, so that it never comes back, however it is closed
    // and even when opening it fails.
    m_core->settings().setHasOnboarded(true);
    m_onboarding = new OnboardingWindow;
    m_onboarding->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_onboarding, &OnboardingWindow::chooseServicesRequested, this, &DesktopApp::openSettings);
    m_onboarding->showCentred();
}
