#include "alerts/notifier.h"
#include "app/checkcommand.h"
#include "app/desktopapp.h"
#include "app/displaychoice.h"
#include "app/headless.h"
#include "app/watchcommand.h"
#include "core/translations.h"
#include "net/networkenvironment.h"
#include "platform/display.h"
#include "platform/notifications.h"
#include "platform/processlimits.h"
#include "platform/terminationsignals.h"
#include "platform/windowplacement.h"
#include "ui/tray/traycontroller.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>

#include <cstdio>

namespace {

// Exit status of the desktop application when it cannot run (as for a wrong argument).
constexpr int cannotRun = CheckCommand::Unknown;

// Whether the desktop application has a display it can reach, choosing Qt's platform on
// the way; without one, QApplication would abort.
bool prepareDisplay()
{
    const DisplayEnvironment environment{
        .qpaPlatform = qEnvironmentVariable("QT_QPA_PLATFORM"),
        .x11Display = qEnvironmentVariable("DISPLAY"),
        .waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY"),
        .runtimeDirectory = qEnvironmentVariable("XDG_RUNTIME_DIR"),
        .currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
        .swaySocket = qEnvironmentVariable("SWAYSOCK"),
    };
    const DisplayChoice choice = chooseDisplay(environment, {x11DisplayReachable, waylandDisplayReachable});
    if (choice.platform)
        qputenv("QT_QPA_PLATFORM", choice.platform->toLocal8Bit());
    return choice.reachable;
}

// Glinter and Qt in the user's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), English when
// none of theirs is shipped. Output for machines (--check's state words, JSON keys, --watch's
// classes, metrics) never passes through a translation and stays the same in every language.
void speakUsersLanguage()
{
    Translations::install(Translations::choose(QLocale::system().uiLanguages()));
}

// The settings that let Glinter run against a local feed server.
NetworkEnvironment::Options networkOptions()
{
    return {qEnvironmentVariable("GLINTER_FEED_ORIGIN"), qEnvironmentVariable("GLINTER_EXTRA_CA_CERTS")};
}

// `glinter` with no arguments: the tray application, once per session.
int runDesktop(int argc, char *argv[])
{
    if (!prepareDisplay()) {
        std::fputs("glinter: no display to show the tray on; run glinter --headless to watch the services "
                   "without one, or glinter --check to check them once\n",
                   stderr);
        return cannotRun;
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
    speakUsersLanguage();
    // Closing a window (settings, onboarding, the panel) leaves Glinter in the tray.
    QApplication::setQuitOnLastWindowClosed(false);
    NetworkEnvironment::apply(networkOptions());

    DesktopApp shell;
    // The tray meter and its panel, on the running monitor.
    shell.setPanelFactory([](DesktopApp &app) -> DesktopApp::PanelPresenter {
        TrayController::Desktop desktop;
        desktop.placement = makeWindowPlacement(qEnvironmentVariable("SWAYSOCK"));
        auto *tray = new TrayController(app.monitor(), app.urlOpener(), std::move(desktop), &app);
        QObject::connect(tray, &TrayController::settingsRequested, &app, &DesktopApp::openSettings);
        QObject::connect(tray, &TrayController::quitRequested, qApp, &QCoreApplication::quit);
        QObject::connect(tray, &TrayController::panelShown, &app, &DesktopApp::presentOnboardingIfNeeded);
        // Balloons while the desktop has no notification service.
        app.notifier().notifications().setFallback(tray->notificationFallback());
        return [tray] { tray->showPanel(); };
    });
    switch (shell.start()) {
    case DesktopApp::Start::HandedOver:
        return 0;
    case DesktopApp::Start::Failed:
        std::fprintf(stderr, "glinter: %s\n", qUtf8Printable(shell.error()));
        return cannotRun;
    case DesktopApp::Start::Running:
        break;
    }
    // SIGTERM (a logout, systemctl) ends the run like Quit does, with the history and the
    // uptime record written first, while the watchdog allows for it.
    const std::unique_ptr<TerminationSignals> termination = makeTerminationSignals();
    QObject::connect(termination.get(), &TerminationSignals::requested, &app, [&shell] {
        shell.monitor().flush();
        QCoreApplication::quit();
    });
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Glinter"));
    QCoreApplication::setApplicationName(QStringLiteral("Glinter"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GLINTER_VERSION));
    raiseOpenFileLimit();
    if (argc <= 1)
        return runDesktop(argc, argv);

    QCoreApplication app(argc, argv);
    speakUsersLanguage();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Watches the status pages of the services you depend on."));
    // Not addHelpOption(): it also offers --help-all for Qt's own options, which no mode that
    // takes arguments reads.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("main", "Displays help on commandline options."));
    parser.addOption(help);
    parser.addVersionOption();
    const QCommandLineOption check(
        QStringLiteral("check"),
        QCoreApplication::translate("main", "Check every service once, print the states and exit."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QCoreApplication::translate("main", "With --check: print one JSON array."));
    const QCommandLineOption services(
        QStringLiteral("services"), QCoreApplication::translate("main", "With --check: read the services from <file>."),
        QStringLiteral("file"));
    const QCommandLineOption headless(
        QStringLiteral("headless"),
        QCoreApplication::translate("main", "Run the monitor without any window or tray, printing each change."));
    const QCommandLineOption metricsListen(
        QStringLiteral("metrics-listen"),
        QCoreApplication::translate("main",
                                    "With --headless: serve Prometheus metrics at http://<address:port>/metrics."),
        QStringLiteral("address:port"));
    const QCommandLineOption watch(
        QStringLiteral("watch"),
        QCoreApplication::translate("main", "Print a line for a status bar now and on each change, until killed."));
    const QCommandLineOption format(
        QStringLiteral("format"),
        QCoreApplication::translate("main", "With --watch: waybar (the default), i3blocks, polybar or json."),
        QStringLiteral("format"));
    parser.addOptions({check, json, services, headless, metricsListen, watch, format});

    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "glinter: %s\n", qUtf8Printable(parser.errorText()));
        return CheckCommand::Unknown;
    }
    if (parser.isSet(help)) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("glinter %s\n", GLINTER_VERSION);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "glinter: unexpected argument: %s\n",
                     qUtf8Printable(parser.positionalArguments().first()));
        return CheckCommand::Unknown;
    }
    if ((parser.isSet(json) || parser.isSet(services)) && !parser.isSet(check)) {
        std::fprintf(stderr, "glinter: --json and --services go with --check\n");
        return CheckCommand::Unknown;
    }
    if (parser.isSet(check) && parser.isSet(headless)) {
        std::fprintf(stderr, "glinter: --check and --headless exclude each other\n");
        return CheckCommand::Unknown;
    }

    if (parser.isSet(watch) && (parser.isSet(check) || parser.isSet(headless))) {
        std::fprintf(stderr, "glinter: --watch goes alone, without --check or --headless\n");
        return CheckCommand::Unknown;
    }
    if (parser.isSet(format) && !parser.isSet(watch)) {
        std::fprintf(stderr, "glinter: --format goes with --watch\n");
        return CheckCommand::Unknown;
    }
    std::optional<WatchFormat> watchFormat = WatchFormat::Waybar;
    if (parser.isSet(format)) {
        watchFormat = watchFormatFromName(parser.value(format));
        if (!watchFormat) {
            std::fprintf(stderr, "glinter: --format wants waybar, i3blocks, polybar or json, not \"%s\"\n",
                         qUtf8Printable(parser.value(format)));
            return CheckCommand::Unknown;
        }
    }

    Headless::Options headlessOptions;
    if (parser.isSet(metricsListen)) {
        if (!parser.isSet(headless)) {
            std::fprintf(stderr, "glinter: --metrics-listen goes with --headless\n");
            return Headless::kCannotRun;
        }
        headlessOptions.metricsListen = ListenAddress::parse(parser.value(metricsListen));
        if (!headlessOptions.metricsListen) {
            std::fprintf(stderr,
                         "glinter: --metrics-listen wants ADDRESS:PORT, the address a numeric IPv4 one, a bracketed "
                         "IPv6 one or localhost (127.0.0.1:9842, [::1]:9842, localhost:9842), not \"%s\"\n",
                         qUtf8Printable(parser.value(metricsListen)));
            return Headless::kCannotRun;
        }
    }

    NetworkEnvironment::apply(networkOptions());
    if (parser.isSet(headless))
        return Headless::run(headlessOptions);
    if (parser.isSet(watch))
        return WatchCommand::run(*watchFormat);
    if (!parser.isSet(check)) {
        // Arguments that ask for nothing ("--"): the tray application takes none.
        std::fprintf(stderr, "glinter: run glinter without arguments for the tray application\n");
        return CheckCommand::Unknown;
    }
    CheckCommand::Options options;
    options.json = parser.isSet(json);
    if (parser.isSet(services))
        options.servicesFile = parser.value(services);
    return QCoro::waitFor(CheckCommand::run(options));
}
