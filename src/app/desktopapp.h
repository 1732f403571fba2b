#pragma once

#include "app/appcore.h"
#include "ui/settings/settingswindow.h"
#include "ui/tray/onboardingwindow.h"

#include <QObject>
#include <QPointer>

#include <chrono>
#include <functional>
#include <memory>

class SingleInstance;
struct StartupEnvironment;

// The desktop application: the one monitor (AppCore), the settings and first-run windows,
// and the hand-over to an instance already running. The tray (or a window in its place)
// plugs in through setPanelFactory().
class DesktopApp : public QObject
{
    Q_OBJECT

public:
    // The monitor's options, and the application's own.
    struct Options : AppCore::Options {
        // Whether the settings window opens at start-up, and on which tab it opens.
        bool openSettings = false;
        SettingsWindow::Tab settingsTab = SettingsWindow::Tab::Services;
        // How long after start-up an opened settings window is brought to the front.
        std::chrono::milliseconds settingsRaiseDelay{500};
        // Where the instance lock and socket live; empty means the user's runtime folder.
        QString instanceDirectory;
    };

    enum class Start {
        // This process runs Glinter.
        Running,
        // Another instance was asked to show itself; this one has nothing more to do.
        HandedOver,
        // Another instance holds the session: `--headless`, or one that did not take the
        // request (reason in error()).
        Failed,
    };

    // Shows the panel.
    using PanelPresenter = std::function<void()>;
    // Builds the tray and panel on the running monitor (parenting them to the app) and
    // returns how to show the panel.
    using PanelFactory = std::function<PanelPresenter(DesktopApp &app)>;

    DesktopApp();
    explicit DesktopApp(Options options, QObject *parent = nullptr);
    ~DesktopApp() override;

    // `glinter` with no arguments: the tray application, once per session, on the display
    // the environment names. Returns the process's exit status.
    static int run(int argc, char *argv[], const StartupEnvironment &environment);
    // The application's options the environment asks for (GLINTER_OPEN_SETTINGS and
    // GLINTER_SETTINGS_TAB).
    static Options options(const StartupEnvironment &environment);
    // The tray meter and its panel, placed through sway where `swaySocket` names its socket.
    static PanelFactory trayPanel(const QString &swaySocket);

    // Called before start().
    void setPanelFactory(PanelFactory factory) { m_panelFactory = std::move(factory); }

    // Becomes the running instance (or hands over to it), then creates the monitor, which
    // starts refreshing, builds the panel, and opens the settings when the options ask.
    // Without a panel the settings window stands in for it and
    // is shown at once.
    Start start();
    // Why start() failed.
    QString error() const { return m_error; }

    // Valid once start() returned Running.
    StatusMonitor &monitor() { return m_core->monitor(); }
    Notifier &notifier() { return m_core->notifier(); }
    Settings &settings() { return m_core->settings(); }
    UrlOpener &urlOpener() { return m_core->urlOpener(); }

public Q_SLOTS:
    // Shows the panel (or the window standing in for it); also what a second `glinter` asks.
    void showPanel();
    // Opens the settings window, or brings it to the front.
    void openSettings();
    // Each time the panel appears: the first time ever, the onboarding window opens.
    void presentOnboardingIfNeeded();

private:
    void raiseSettings();

    Options m_options;
    PanelFactory m_panelFactory;
    PanelPresenter m_presentPanel;
    QString m_error;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<AppCore> m_core;
    QPointer<SettingsWindow> m_settings;
    QPointer<OnboardingWindow> m_onboarding;
};
