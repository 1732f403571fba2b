#include "app/startup.h"

#include "core/translations.h"
#include "platform/terminationsignals.h"

#include <QCoreApplication>
#include <QLocale>

StartupEnvironment StartupEnvironment::read()
{
    return {
        .display =
            {
                .qpaPlatform = qEnvironmentVariable("QT_QPA_PLATFORM"),
                .x11Display = qEnvironmentVariable("DISPLAY"),
                .waylandDisplay = qEnvironmentVariable("WAYLAND_DISPLAY"),
                .runtimeDirectory = qEnvironmentVariable("XDG_RUNTIME_DIR"),
                .currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
                .swaySocket = qEnvironmentVariable("SWAYSOCK"),
            },
        .network = {qEnvironmentVariable("GLINTER_FEED_ORIGIN"), qEnvironmentVariable("GLINTER_EXTRA_CA_CERTS")},
        .openSettings = qgetenv("GLINTER_OPEN_SETTINGS") == "1",
        .settingsOnGeneralTab = qgetenv("GLINTER_SETTINGS_TAB") == "general",
    };
}

namespace Startup {

void speakUsersLanguage()
{
    Translations::install(Translations::choose(QLocale::system().uiLanguages()));
}

void applyNetwork(const StartupEnvironment &environment)
{
    NetworkEnvironment::apply(environment.network);
}

std::unique_ptr<TerminationSignals> quitOnTermination(std::function<void(int signalNumber)> stopping)
{
    std::unique_ptr<TerminationSignals> termination = makeTerminationSignals();
    QObject::connect(termination.get(), &TerminationSignals::requested, QCoreApplication::instance(),
                     [stopping = std::move(stopping)](int signalNumber) {
                         if (stopping)
                             stopping(signalNumber);
                         QCoreApplication::quit();
                     });
    return termination;
}

} // namespace Startup
