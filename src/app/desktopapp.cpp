#include "app/desktopapp.h"

#include "app/publicface.h"
#include "app/singleinstance.h"
#include "core/settings.h"

#include <QCoreApplication>
#include <QDebug>
#include <QGuiApplication>
#include <QTimer>

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

// GLINTER_OPEN_SETTINGS=1: the settings window opens at start-up.
bool settingsAtStart()
{
    return qgetenv("GLINTER_OPEN_SETTINGS") == "1";
}

// GLINTER_SETTINGS_TAB=general: the settings window opens on its General tab.
SettingsWindow::Tab initialSettingsTab()
{
    return qgetenv("GLINTER_SETTINGS_TAB") == "general" ? SettingsWindow::Tab::General : SettingsWindow::Tab::Services;
}

} // namespace

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

    if (settingsAtStart()) {
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
        m_settings = new SettingsWindow(m_core->monitor(), initialSettingsTab());
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
