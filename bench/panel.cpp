// The panel with every catalog service (119), after one refresh with invented results:
// resident memory, time from the click to the painted panel (first and second opening),
// and CPU used while the panel is hidden and the program idles between refreshes.
//
//   panel [--idle SECONDS]      (default 5; the goal is stated for 300)
//
// Runs on the display of the environment, offscreen when there is none.
#include "catalog/servicecatalog.h"
#include "monitor/statushistory.h"
#include "monitor/statusmonitor.h"
#include "platform/null/nullurlopener.h"
#include "ui/tray/panelwindow.h"
#include "ui/tray/servicerow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>

namespace {

double residentMB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](timeval t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Stops the clock when the panel has painted and flushed its first frame.
class PaintClock : public QObject
{
public:
    explicit PaintClock(QWidget *panel)
        : m_panel(panel)
    {
        panel->installEventFilter(this);
    }

    void start()
    {
        m_painted = -1;
        m_clock.start();
    }
    double paintedMs() const { return m_painted; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_panel && event->type() == QEvent::UpdateRequest && m_painted < 0) {
            m_panel->removeEventFilter(this);
            QCoreApplication::sendEvent(m_panel, event); // paint and flush now, then read the clock
            m_panel->installEventFilter(this);
            m_painted = double(m_clock.nsecsElapsed()) / 1e6;
            return true;
        }
        return false;
    }

private:
    QWidget *m_panel;
    QElapsedTimer m_clock;
    double m_painted = -1;
};

void waitFor(const std::function<bool()> &done)
{
    QElapsedTimer limit;
    limit.start();
    while (!done() && limit.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption idleOption(QStringLiteral("idle"), QStringLiteral("Idle seconds with the panel hidden."),
                                        QStringLiteral("seconds"), QStringLiteral("5"));
    parser.addOption(idleOption);
    parser.process(app);
    const int idleSeconds = std::max(1, parser.value(idleOption).toInt());

    QList<Service> services;
    for (const CatalogEntry &entry : ServiceCatalog::all())
        services.append(Service{QUuid::createUuid(), entry.name, entry.url, entry.provider, std::nullopt});

    QTemporaryDir folder;
    const ServiceStore store(folder.path());
    store.save(services);
    StatusHistory history(folder.filePath(QStringLiteral("history.json")));
    StatusMonitor::Setup setup(store);
    setup.history = &history;
    setup.watchFile = false;
    setup.check = [](Service service) -> QCoro::Task<ServiceStatusResult> {
        const Indicator indicator = qHash(service.id) % 17 == 0   ? Indicator::Major
                                    : qHash(service.id) % 11 == 0 ? Indicator::Minor
                                                                  : Indicator::None;
        co_return ServiceStatusResult{service.id,   indicator, label(indicator), QDateTime::currentDateTimeUtc(),
                                      std::nullopt, false};
    };
    // no refresh timer: the idle figure is the program at rest, not the next refresh (which
    // would fall right at the end of five idle minutes)
    setup.autoRefresh = false;
    StatusMonitor monitor(std::move(setup));
    QCoro::waitFor(monitor.refresh());
    const double beforePanelMB = residentMB();

    NullUrlOpener opener;
    PanelWindow panel(monitor, opener, PanelWindow::Mode::Popup);
    PaintClock clock(&panel);
    const QRect icon(1000, 0, 24, 24);

    clock.start();
    panel.popUp(icon);
    waitFor([&] { return clock.paintedMs() >= 0; });
    const double firstMs = clock.paintedMs();
    const double openMB = residentMB();
    panel.hide();
    QCoreApplication::processEvents();

    clock.start();
    panel.popUp(icon);
    waitFor([&] { return clock.paintedMs() >= 0; });
    const double secondMs = clock.paintedMs();
    panel.hide();
    QCoreApplication::processEvents();

    const double cpuBefore = cpuSeconds();
    QTimer::singleShot(std::chrono::seconds(idleSeconds), &app, &QCoreApplication::quit);
    QApplication::exec();
    const double idleCpu = cpuSeconds() - cpuBefore;

    const qsizetype rows = panel.findChildren<ServiceRow *>().size();
    std::printf("services            %lld (platform %s)\n", static_cast<long long>(rows),
                qUtf8Printable(QGuiApplication::platformName()));
    std::printf("RSS before panel    %.1f MB\n", beforePanelMB);
    std::printf("RSS panel opened    %.1f MB   (goal <= 60 MB)\n", openMB);
    std::printf("click to painted    %.1f ms first, %.1f ms again   (goal <= 50 ms)\n", firstMs, secondMs);
    std::printf("CPU idle, hidden    %.4f s over %d s   (goal < 0.1 s over 300 s)\n", idleCpu, idleSeconds);
    return 0;
}
