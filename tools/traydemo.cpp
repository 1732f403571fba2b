// glinter-tray-demo [--services FILE] [--fake STATE] [--dark] [--balloon] [--show]
//
// The tray meter and the panel for looking at them by hand. With --services it monitors
// that file (never writing it); otherwise a few well-known services. With --fake STATE
// (unknown, none, minor, major, critical) no feed is read: the first service takes STATE,
// others show a maintenance, an unreachable feed and an incident, the feeds tell made-up
// incidents and maintenance windows, and a made-up week of history fills the sparklines
// and the details' week strips, so every look of the meter, the rows and the details can
// be seen offline.
// --dark uses a dark palette, --balloon shows a notification balloon after two seconds,
// --show opens the panel at start.
#include "core/servicestore.h"
#include "monitor/statushistory.h"
#include "monitor/statusmonitor.h"
#include "platform/urlopener.h"
#include "ui/tray/traycontroller.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QPalette>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <qcoro/qcorotask.h>

#include <cstdio>

namespace {

QList<Service> exampleServices()
{
    const QList<std::pair<const char *, const char *>> known = {
        {"GitHub", "https://www.githubstatus.com"},
        {"Cloudflare", "https://www.cloudflarestatus.com"},
        {"OpenAI", "https://status.openai.com"},
        {"Slack", "https://slack-status.com"},
        {"npm", "https://status.npmjs.org"},
        {"Vercel", "https://www.vercel-status.com"},
        {"Docker Hub", "https://www.dockerstatus.com"},
        {"Atlassian", "https://status.atlassian.com"},
    };
    QList<Service> services;
    for (const auto &[name, url] : known) {
        Service service;
        service.id = QUuid::createUuid();
        service.name = QString::fromUtf8(name);
        service.url = QUrl(QString::fromUtf8(url));
        services.append(service);
    }
    return services;
}

std::optional<Indicator> indicatorNamed(const QString &name)
{
    for (Indicator indicator : allIndicators()) {
        if (indicatorName(indicator) == name)
            return indicator;
    }
    return std::nullopt;
}

// What the feed of service number `index` tells besides the state. The first service's
// incidents have pages (one not a web page, which gets no button); the second runs a
// maintenance window and plans another tonight; the fourth has a long update that wraps;
// the fifth plans a window for tomorrow morning.
void inventStory(ServiceStatusResult &result, qsizetype index, const QDateTime &now)
{
    const QDate today = now.toLocalTime().date();
    const auto localTime = [&](int days, int hour) { return QDateTime(today.addDays(days), QTime(hour, 0)).toUTC(); };
    if (index == 0 && result.indicator != Indicator::Unknown && result.indicator != Indicator::None) {
        result.incidentTitle = QStringLiteral("Git operations fail for some users");
        result.incidents = {
            Incident{QStringLiteral("Git operations fail for some users"), QStringLiteral("identified"),
                     result.indicator, now.addSecs(-2 * 3600 - 840), now.addSecs(-780),
                     QStringLiteral("We identified a faulty storage node and are moving repositories away from it."),
                     QUrl(QStringLiteral("https://www.githubstatus.com/incidents/demo1"))},
            Incident{QStringLiteral("Delayed <b>webhook</b> deliveries"), QStringLiteral("monitoring"),
                     Indicator::Minor, now.addSecs(-26 * 3600), now.addSecs(-3 * 3600),
                     QStringLiteral("A fix is deployed; we are watching the queue drain."),
                     QUrl(QStringLiteral("file:///etc/passwd"))},
        };
    } else if (index == 1 && result.isMaintenance) {
        result.maintenances = {
            Maintenance{QStringLiteral("Scheduled database maintenance"), Maintenance::Status::InProgress,
                        now.addSecs(-1800), localTime(0, 23), QUrl()},
            Maintenance{QStringLiteral("Network upgrade in Frankfurt"), Maintenance::Status::Scheduled,
                        localTime(0, 22).addDays(now.toLocalTime().time().hour() >= 22 ? 1 : 0),
                        localTime(0, 23).addDays(now.toLocalTime().time().hour() >= 22 ? 1 : 0), QUrl()},
        };
    } else if (index == 3 && result.incidentTitle) {
        result.incidents = {
            Incident{*result.incidentTitle, QStringLiteral("investigating"), Indicator::Minor, now.addSecs(-40 * 60),
                     now.addSecs(-40 * 60),
                     QStringLiteral("We are investigating elevated latency for requests served from eu-west. Requests "
                                    "from other regions are not affected. Customers may see timeouts when deploying "
                                    "functions or reading logs; retries succeed in most cases. We will post an update "
                                    "within 30 minutes or as soon as we know more about the cause."),
                     QUrl(QStringLiteral("https://status.slack.example/incidents/demo2"))}};
    } else if (index == 4) {
        result.maintenances = {Maintenance{QStringLiteral("Registry read-only during migration"),
                                           Maintenance::Status::Scheduled, localTime(1, 9), localTime(1, 11), QUrl()},
                               Maintenance{QStringLiteral("Search index rebuild"), Maintenance::Status::Scheduled,
                                           localTime(4, 1), localTime(4, 3), QUrl()}};
    }
}

// The invented result of service number `index` when the worst state is `worst`.
ServiceStatusResult inventedResult(const Service &service, qsizetype index, Indicator worst)
{
    ServiceStatusResult result;
    result.serviceID = service.id;
    result.lastChecked = QDateTime::currentDateTimeUtc().addSecs(-90 - 40 * index);
    result.indicator = worst == Indicator::Unknown ? Indicator::Unknown : Indicator::None;
    if (index == 0) {
        result.indicator = worst;
    } else if (index == 1 && worst != Indicator::Unknown) {
        result.isMaintenance = true;
        result.incidentTitle = QStringLiteral("Scheduled database maintenance");
    } else if (index == 2) {
        result.indicator = Indicator::Unknown;
    } else if (index == 3 && storedNumber(worst) >= storedNumber(Indicator::Minor)) {
        result.indicator = Indicator::Minor;
        result.incidentTitle = QStringLiteral("Elevated latency in eu-west");
    }
    result.description = result.indicator == Indicator::Unknown && index == 2 ? QStringLiteral("HTTP 503")
                                                                              : label(result.indicator);
    inventStory(result, index, QDateTime::currentDateTimeUtc());
    return result;
}

// A week of samples, 96 of them as the history keeps, with a bad stretch here and there.
// Written as one file: appending sample by sample would rewrite it hundreds of times.
void inventHistory(const QString &filePath, const QList<Service> &services)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QHash<QUuid, QList<StatusHistory::Sample>> samples;
    for (qsizetype i = 0; i < services.size(); ++i) {
        // the last service is new: a few hours only
        const qsizetype count = i == services.size() - 1 ? 6 : StatusHistory::maxSamples;
        const qint64 step = i == services.size() - 1 ? 1800 : StatusHistory::maxAge.count() / count;
        for (qsizetype s = 0; s < count; ++s) {
            Indicator indicator = Indicator::None;
            if ((s + 7 * i) % 31 < 2)
                indicator = Indicator::Minor;
            if (i % 3 == 0 && (s + 11 * i) % 43 == 0)
                indicator = Indicator::Major;
            if (s == count - 2 && i % 3 == 0)
                indicator = Indicator::Critical;
            if ((s + 2 * i) % 37 == 0)
                indicator = Indicator::Unknown;
            samples[services.at(i).id].append({now.addSecs(-step * (count - s)), storedNumber(indicator)});
        }
    }
    QFile file(filePath);
    if (file.open(QIODevice::WriteOnly))
        file.write(StatusHistory::encode(samples));
}

void useDarkPalette()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2e));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xf0));
    dark.setColor(QPalette::Base, QColor(0x1f, 0x1f, 0x22));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xf0));
    dark.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3e));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xf0));
    dark.setColor(QPalette::PlaceholderText, QColor(0xa0, 0xa0, 0xa8));
    dark.setColor(QPalette::ToolTipBase, QColor(0x3a, 0x3a, 0x3e));
    dark.setColor(QPalette::ToolTipText, QColor(0xee, 0xee, 0xf0));
    dark.setColor(QPalette::Highlight, QColor(0x2f, 0x7c, 0xf6));
    QApplication::setPalette(dark);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Glinter"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption servicesOption(QStringLiteral("services"), QStringLiteral("Services file to monitor."),
                                            QStringLiteral("file"));
    const QCommandLineOption fakeOption(QStringLiteral("fake"), QStringLiteral("Invent results with this worst state."),
                                        QStringLiteral("state"));
    const QCommandLineOption darkOption(QStringLiteral("dark"), QStringLiteral("Use a dark palette."));
    const QCommandLineOption balloonOption(QStringLiteral("balloon"), QStringLiteral("Show a balloon after 2 s."));
    const QCommandLineOption showOption(QStringLiteral("show"), QStringLiteral("Open the panel at start."));
    parser.addOptions({servicesOption, fakeOption, darkOption, balloonOption, showOption});
    parser.process(app);

    std::optional<Indicator> fake;
    if (parser.isSet(fakeOption)) {
        fake = indicatorNamed(parser.value(fakeOption));
        if (!fake) {
            std::fprintf(stderr, "glinter-tray-demo: unknown state %s\n", qUtf8Printable(parser.value(fakeOption)));
            return 2;
        }
    }
    if (parser.isSet(darkOption))
        useDarkPalette();

    QTemporaryDir folder;
    const ServiceStore scratch(folder.path());
    QList<Service> services = exampleServices();
    if (parser.isSet(servicesOption))
        services = ServiceStore::forFile(parser.value(servicesOption)).load();
    scratch.save(services);
    const QString historyFile = folder.filePath(QStringLiteral("history.json"));
    if (fake)
        inventHistory(historyFile, services);
    StatusHistory history(historyFile);

    StatusMonitor::Setup setup(scratch);
    setup.history = &history;
    setup.watchFile = false;
    if (fake) {
        setup.check = [worst = *fake, services](Service service) -> QCoro::Task<ServiceStatusResult> {
            const qsizetype index = std::distance(
                services.cbegin(),
                std::find_if(services.cbegin(), services.cend(), [&](const Service &s) { return s.id == service.id; }));
            co_return inventedResult(service, index, worst);
        };
    }
    StatusMonitor monitor(std::move(setup));

    std::unique_ptr<UrlOpener> opener = makeUrlOpener();
    TrayController tray(monitor, *opener);
    QObject::connect(&tray, &TrayController::quitRequested, &app, &QCoreApplication::quit);
    QObject::connect(&tray, &TrayController::settingsRequested, &app, [] {
        std::fputs("settings requested\n", stdout);
        std::fflush(stdout);
    });
    // trays come and go after start
    QObject::connect(&tray, &TrayController::presenceChanged, &app, [](TrayController::Presence presence) {
        const char *where = presence == TrayController::Presence::StatusNotifier ? "StatusNotifierItem tray"
                            : presence == TrayController::Presence::XEmbed       ? "XEmbed tray"
                                                                                 : "no tray, panel as a window";
        std::printf("tray: %s\n", where);
        std::fflush(stdout);
    });
    if (parser.isSet(showOption))
        QTimer::singleShot(std::chrono::milliseconds(800), &tray, &TrayController::showPanel);
    if (parser.isSet(balloonOption)) {
        QTimer::singleShot(std::chrono::seconds(2), &tray, [&tray] {
            tray.showBalloon(QStringLiteral("GitHub: Partial Outage"),
                             QStringLiteral("Elevated error rates on Git operations"),
                             QUrl(QStringLiteral("https://www.githubstatus.com")));
        });
    }
    return QApplication::exec();
}
