#include "app/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

std::variant<CommandLine, CommandLine::Refusal> CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Watches the status pages of the services you depend on."));
    // Not addHelpOption(): it also offers --help-all for Qt's own options, which no mode that
    // takes arguments reads.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("main", "Displays help on commandline options."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
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

    if (!parser.parse(arguments))
        return Refusal{parser.errorText()};
    CommandLine command;
    if (parser.isSet(help)) {
        command.mode = Mode::Help;
        command.helpText = parser.helpText();
        return command;
    }
    if (parser.isSet(version)) {
        command.mode = Mode::Version;
        return command;
    }
    if (!parser.positionalArguments().isEmpty())
        return Refusal{QStringLiteral("unexpected argument: ") + parser.positionalArguments().first()};
    if ((parser.isSet(json) || parser.isSet(services)) && !parser.isSet(check))
        return Refusal{QStringLiteral("--json and --services go with --check")};
    if (parser.isSet(check) && parser.isSet(headless))
        return Refusal{QStringLiteral("--check and --headless exclude each other")};
    if (parser.isSet(watch) && (parser.isSet(check) || parser.isSet(headless)))
        return Refusal{QStringLiteral("--watch goes alone, without --check or --headless")};
    if (parser.isSet(format) && !parser.isSet(watch))
        return Refusal{QStringLiteral("--format goes with --watch")};
    if (parser.isSet(format)) {
        const std::optional<WatchFormat> named = watchFormatFromName(parser.value(format));
        if (!named) {
            return Refusal{QStringLiteral("--format wants waybar, i3blocks, polybar or json, not \"%1\"")
                               .arg(parser.value(format))};
        }
        command.watchFormat = *named;
    }
    if (parser.isSet(metricsListen)) {
        if (!parser.isSet(headless))
            return Refusal{QStringLiteral("--metrics-listen goes with --headless"), Headless::kCannotRun};
        command.headless.metricsListen = ListenAddress::parse(parser.value(metricsListen));
        if (!command.headless.metricsListen) {
            return Refusal{QStringLiteral("--metrics-listen wants ADDRESS:PORT, the address a numeric IPv4 one, a "
                                          "bracketed IPv6 one or localhost (127.0.0.1:9842, [::1]:9842, "
                                          "localhost:9842), not \"%1\"")
                               .arg(parser.value(metricsListen)),
                           Headless::kCannotRun};
        }
    }

    if (parser.isSet(headless)) {
        command.mode = Mode::Headless;
    } else if (parser.isSet(watch)) {
        command.mode = Mode::Watch;
    } else if (parser.isSet(check)) {
        command.mode = Mode::Check;
        command.check.json = parser.isSet(json);
        if (parser.isSet(services))
            command.check.servicesFile = parser.value(services);
    } else {
        // Arguments that ask for nothing ("--"): the tray application takes none.
        return Refusal{QStringLiteral("run glinter without arguments for the tray application")};
    }
    return command;
}
