#include "app/appcore.h"

#include "alerts/notifier.h"
#include "app/publicface.h"
#include "core/settings.h"
#include "monitor/statushistory.h"
#include "monitor/uptimerecord.h"
#include "platform/processlimits.h"
#include "platform/urlopener.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cmath>

namespace {

// GLINTER_HISTORY_WRITE_INTERVAL, in seconds: a benchmark that compresses a day of refreshes
// into minutes compresses the history's write interval alike.
std::optional<std::chrono::milliseconds> historyWriteIntervalOverride()
{
    bool ok = false;
    const double seconds = qEnvironmentVariable("GLINTER_HISTORY_WRITE_INTERVAL").toDouble(&ok);
    if (!ok || !(seconds > 0) || seconds > 24 * 60 * 60)
        return std::nullopt;
    return std::chrono::milliseconds(std::llround(seconds * 1000));
}

} // namespace

AppCore::AppCore(Options options, QObject *parent)
    : QObject(parent)
    , m_urlOpener(makeUrlOpener())
{
    // The store and the history come first, in that order, then the monitor that uses them.
    ServiceStore store;
    m_settings = std::make_unique<Settings>();
    m_history = std::make_unique<StatusHistory>(StatusHistory::defaultFilePath());
    m_uptime = std::make_unique<UptimeRecord>(UptimeRecord::defaultFilePath());
    m_notifier = std::make_unique<Notifier>(
        options.notifications ? std::move(options.notifications) : makeNotifications(*m_urlOpener), *m_settings);
    m_notifier->notifications().setMuteRequest([this](const QUuid &serviceID) { mute(serviceID); });

    StatusMonitor::Setup setup = monitorSetup(Role::Resident, std::move(store));
    setup.settings = m_settings.get();
    setup.history = m_history.get();
    setup.uptime = m_uptime.get();
    setup.notifier = m_notifier.get();
    setup.autoRefresh = options.autoRefresh;
    if (const std::optional<std::chrono::milliseconds> interval = historyWriteIntervalOverride())
        setup.historyWriteInterval = *interval;
    if (options.check)
        setup.check = std::move(options.check);
    if (options.systemSignals) {
        setup.reachability = makeReachability();
        setup.wake = makeWakeObserver();
    }
    m_monitor = std::make_unique<StatusMonitor>(std::move(setup));
    // Once the refresh's last transfer has been cleaned up as well.
    connect(
        m_monitor.get(), &StatusMonitor::isRefreshingChanged, this,
        [](bool refreshing) {
            if (!refreshing)
                returnFreedMemory();
        },
        Qt::QueuedConnection);
    m_publicFace = std::make_unique<PublicFace>(
        *m_monitor, *m_settings, options.publicService ? std::move(options.publicService) : makePublicService());

    // While running, the history is written every quarter of an hour and the uptime record
    // hourly: what waits is written at every clean end (Quit, SIGTERM, SIGINT, all of which
    // leave the event loop) and when the session asks its programs to save, since a session
    // manager may end the process without letting the event loop finish.
    if (const QCoreApplication *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, m_monitor.get(), &StatusMonitor::flush);
    if (const auto *gui = qobject_cast<const QGuiApplication *>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, m_monitor.get(), &StatusMonitor::flush);
}

AppCore::~AppCore() = default;

StatusMonitor::Setup AppCore::monitorSetup(Role role, ServiceStore store)
{
    StatusMonitor::Setup setup(std::move(store));
    setup.providerMemory = ProviderContext::Keeping::AcrossRuns;
    switch (role) {
    case Role::Resident:
        break;
    case Role::Watching:
        setup.readOnly = true;
        break;
    case Role::Checking:
        // the file as the caller read it, checked once
        setup.readOnly = true;
        setup.watchFile = false;
        setup.autoRefresh = false;
        break;
    }
    return setup;
}

void AppCore::mute(const QUuid &serviceID)
{
    // Stored at once: the bells in the settings and the panel follow through mutesChanged.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDateTime end = now.addSecs(std::chrono::seconds(Notifications::mutePeriod).count());
    m_settings->muteUntil(serviceID, end, now);
    Q_EMIT muted(serviceID, end);
}
