#include "app/desktopapp.h"

#include "alerts/notifier.h"
#include "app/singleinstance.h"
#include "core/settings.h"
#include "monitor/statushistory.h"
#include "platform/notifications.h"
#include "platform/urlopener.h"
#include "providers/statusiopageids.h"

#include <QDateTime>
#include <QDebug>
#include <QTimer>

namespace {

// How long a second `glinter` waits for the running one to take its request.
constexpr std::chrono::seconds handOverTimeout{5};

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
    m_instance = std::make_unique<SingleInstance>(
        m_options.instanceDirectory.isEmpty() ? SingleInstance::defaultDirectory() : m_options.instanceDirectory);
    switch (m_instance->claim()) {
    case SingleInstance::Claim::Running:
        connect(m_instance.get(), &SingleInstance::showRequested, this, &DesktopApp::showPanel);
        break;
    case SingleInstance::Claim::Taken:
        if (m_instance->notifyRunning(handOverTimeout))
            return Start::HandedOver;
        m_error = QStringLiteral("Glinter is already running but does not answer: ") + m_instance->error();
        return Start::Failed;
    case SingleInstance::Claim::Unavailable:
        // Better two monitors than none: run without the guard.
        qWarning().noquote() << QStringLiteral("glinter: cannot make sure Glinter runs once: ") + m_instance->error();
        m_instance.reset();
        break;
    }

    m_urlOpener = makeUrlOpener();
    // The store and the history come first, in that order, then the monitor that uses them.
    ServiceStore store;
    m_preferences = std::make_unique<Settings>();
    m_history = std::make_unique<StatusHistory>(StatusHistory::defaultFilePath());
    m_notifier = std::make_unique<Notifier>(
        m_options.notifications ? std::move(m_options.notifications) : makeNotifications(*m_urlOpener), *m_preferences);
    // A notification's "Mute for 1 Hour": stored, and the bells in the settings follow at once.
    m_notifier->notifications().setMuteRequest([settings = m_preferences.get()](const QUuid &serviceID) {
        const auto period = std::chrono::seconds(Notifications::mutePeriod);
        settings->muteUntil(serviceID, QDateTime::currentDateTimeUtc().addSecs(period.count()));
    });
    StatusMonitor::Setup setup(std::move(store));
    setup.settings = m_preferences.get();
    setup.history = m_history.get();
    setup.notifier = m_notifier.get();
    setup.statusIOPageIdsFile = StatusIOPageIds::defaultFile();
    setup.autoRefresh = m_options.autoRefresh;
    if (m_options.check)
        setup.check = m_options.check;
    if (m_options.systemSignals) {
        setup.reachability = makeReachability();
        setup.wake = makeWakeObserver();
    }
    m_monitor = std::make_unique<StatusMonitor>(std::move(setup));

    if (m_panelFactory)
        m_presentPanel = m_panelFactory(*this);

    if (qgetenv("GLINTER_OPEN_SETTINGS") == "1") {
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
    if (!m_monitor)
        return;
    if (m_presentPanel)
        m_presentPanel();
    else
        openSettings();
    presentOnboardingIfNeeded();
}

void DesktopApp::openSettings()
{
    if (!m_monitor)
        return;
    if (!m_settings)
        m_settings = new SettingsWindow(*m_monitor);
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
    if (m_preferences->hasOnboarded())
        return;
    // Recorded before the window opens, so that it never comes back, however it is closed
    // and even when opening it fails.
    m_preferences->setHasOnboarded(true);
    m_onboarding = new OnboardingWindow;
    m_onboarding->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_onboarding, &OnboardingWindow::chooseServicesRequested, this, &DesktopApp::openSettings);
    m_onboarding->showCentred();
}
