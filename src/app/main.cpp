#include "app/checkcommand.h"
#include "app/headless.h"
#include "providers/networkenvironment.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Glinter"));
    QCoreApplication::setApplicationName(QStringLiteral("Glinter"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GLINTER_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Watches the status pages of the services you depend on."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption check(QStringLiteral("check"),
                                   QCoreApplication::translate("main", "Check every service once, print the states and exit."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QCoreApplication::translate("main", "With --check: print one JSON array."));
    const QCommandLineOption services(QStringLiteral("services"),
                                      QCoreApplication::translate("main", "With --check: read the services from <file>."),
                                      QStringLiteral("file"));
    const QCommandLineOption headless(QStringLiteral("headless"),
                                      QCoreApplication::translate("main", "Run the monitor without any window or tray, printing each change."));
    const QCommandLineOption metricsListen(QStringLiteral("metrics-listen"),
                                           QCoreApplication::translate("main", "With --headless: serve Prometheus metrics at http://<address:port>/metrics."),
                                           QStringLiteral("address:port"));
    parser.addOptions({check, json, services, headless, metricsListen});

    if (!parser.parse(app.arguments())) {
        std::fprintf(stderr, "glinter: %s\n", qUtf8Printable(parser.errorText()));
        return CheckCommand::Unknown;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("glinter %s\n", GLINTER_VERSION);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "glinter: unexpected argument: %s\n", qUtf8Printable(parser.positionalArguments().first()));
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

    Headless::Options headlessOptions;
    if (parser.isSet(metricsListen)) {
        if (!parser.isSet(headless)) {
            std::fprintf(stderr, "glinter: --metrics-listen goes with --headless\n");
            return Headless::kListenFailed;
        }
        headlessOptions.metricsListen = ListenAddress::parse(parser.value(metricsListen));
        if (!headlessOptions.metricsListen) {
            std::fprintf(stderr, "glinter: --metrics-listen wants a numeric ADDRESS:PORT such as 127.0.0.1:9842 or [::1]:9842, not \"%s\"\n",
                         qUtf8Printable(parser.value(metricsListen)));
            return Headless::kListenFailed;
        }
    }

    NetworkEnvironment::loadFromEnvironment();
    if (parser.isSet(headless))
        return Headless::run(headlessOptions);
    if (!parser.isSet(check)) {
        std::fprintf(stderr, "glinter: the tray application is not built yet; run glinter --check or --headless\n");
        return CheckCommand::Unknown;
    }
    CheckCommand::Options options;
    options.json = parser.isSet(json);
    if (parser.isSet(services))
        options.servicesFile = parser.value(services);
    return QCoro::waitFor(CheckCommand::run(options));
}
