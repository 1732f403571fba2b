#include "app/checkcommand.h"
#include "app/commandline.h"
#include "app/desktopapp.h"
#include "app/headless.h"
#include "app/startup.h"
#include "app/watchcommand.h"
#include "platform/processlimits.h"

#include <QCoreApplication>

#include <cstdio>
#include <variant>

int main(int argc, char *argv[])
{
    QCoreApplication::setOrganizationName(QStringLiteral("Glinter"));
    QCoreApplication::setApplicationName(QStringLiteral("Glinter"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GLINTER_VERSION));
    raiseOpenFileLimit();
    const StartupEnvironment environment = StartupEnvironment::read();
    if (argc <= 1)
        return DesktopApp::run(argc, argv, environment);

    QCoreApplication app(argc, argv);
    Startup::speakUsersLanguage();

    const std::variant<CommandLine, CommandLine::Refusal> parsed = CommandLine::parse(app.arguments());
    if (const auto *refusal = std::get_if<CommandLine::Refusal>(&parsed)) {
        std::fprintf(stderr, "glinter: %s\n", qUtf8Printable(refusal->message));
        return refusal->exitCode;
    }
    const CommandLine &command = *std::get_if<CommandLine>(&parsed);
    switch (command.mode) {
    case CommandLine::Mode::Help:
        std::fputs(qUtf8Printable(command.helpText), stdout);
        return 0;
    case CommandLine::Mode::Version:
        std::printf("glinter %s\n", GLINTER_VERSION);
        return 0;
    case CommandLine::Mode::Headless:
    case CommandLine::Mode::Watch:
    case CommandLine::Mode::Check:
        break;
    }

    Startup::applyNetwork(environment);
    if (command.mode == CommandLine::Mode::Headless)
        return Headless::run(command.headless);
    if (command.mode == CommandLine::Mode::Watch)
        return WatchCommand::run(command.watchFormat);
    return QCoro::waitFor(CheckCommand::run(command.check));
}
