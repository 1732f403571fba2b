// The settings window on a list of 20 monitored services (15 from the catalog, 5 custom)
// next to the 119 catalog entries: time to build and show the window, and time to filter
// the Services tab after each keystroke of a few typed searches (median and worst).
//
//   settings [--rounds N]      (default 5)
//
// Runs on the display of the environment, offscreen when there is none.
#include "catalog/servicecatalog.h"
#include "monitor/statusmonitor.h"
#include "ui/settings/searchfield.h"
#include "ui/settings/servicestab.h"
#include "ui/settings/settingswindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("rounds"), QStringLiteral("Windows to open."), QStringLiteral("N"), QStringLiteral("5")});
    parser.addHelpOption();
    parser.process(app);
    const int rounds = std::max(1, parser.value(QStringLiteral("rounds")).toInt());

    QTemporaryDir dir;
    QList<Service> services;
    const QList<CatalogEntry> &catalog = ServiceCatalog::all();
    for (qsizetype i = 0; i < 15; ++i) {
        const CatalogEntry &entry = catalog.at(i * 7 % catalog.size());
        services.append(Service{QUuid::createUuid(), entry.name, entry.url, entry.provider, std::nullopt});
    }
    for (int i = 0; i < 5; ++i)
        services.append(Service{QUuid::createUuid(), QStringLiteral("Custom %1").arg(i),
                                QUrl(QStringLiteral("https://status%1.internal.test").arg(i)), ProviderKind::Statuspage,
                                std::nullopt});
    const ServiceStore store(dir.path());
    store.save(services);
    StatusMonitor::Setup setup(store);
    setup.watchFile = false;
    setup.autoRefresh = false;
    setup.check = [](Service service) -> QCoro::Task<ServiceStatusResult> {
        co_return ServiceStatusResult{
            service.id, Indicator::None, QString(), QDateTime::currentDateTimeUtc(), std::nullopt, false};
    };
    StatusMonitor monitor(std::move(setup));

    std::vector<double> opens;
    std::vector<double> keys;
    const QStringList typed{QStringLiteral("cloud"), QStringLiteral("statuspage"), QStringLiteral("zzq"),
                            QStringLiteral("git")};
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        auto window = std::make_unique<SettingsWindow>(monitor, SettingsWindow::Tab::Services);
        window->show();
        QApplication::processEvents();
        window->repaint();
        opens.push_back(double(clock.nsecsElapsed()) / 1e6);

        auto *search = window->findChild<ServicesTab *>()->findChild<SearchField *>(QStringLiteral("search"));
        auto *edit = search->findChild<QLineEdit *>(QStringLiteral("query"));
        for (const QString &word : typed) {
            for (const QChar c : word) {
                clock.restart();
                edit->insert(QString(c));
                QApplication::processEvents();
                window->repaint();
                keys.push_back(double(clock.nsecsElapsed()) / 1e6);
            }
            for (qsizetype i = 0; i < word.size(); ++i) {
                clock.restart();
                edit->backspace();
                QApplication::processEvents();
                window->repaint();
                keys.push_back(double(clock.nsecsElapsed()) / 1e6);
            }
        }
    }
    std::printf("settings window: %zu services + %zu catalog entries, platform %s\n", size_t(services.size()),
                size_t(catalog.size()), qPrintable(QApplication::platformName()));
    std::printf("open and paint: first %.1f ms, median %.1f ms, worst %.1f ms (goal <= 150 ms)\n", opens.front(),
                median(opens), *std::max_element(opens.begin(), opens.end()));
    std::printf("keystroke filter and paint: median %.2f ms, worst %.2f ms over %zu keystrokes (goal <= 16 ms)\n",
                median(keys), *std::max_element(keys.begin(), keys.end()), keys.size());
    return 0;
}
