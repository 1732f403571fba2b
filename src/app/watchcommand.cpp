#include "app/watchcommand.h"

#include "app/appcore.h"
#include "app/publicface.h"
#include "app/startup.h"
#include "core/settings.h"
#include "platform/terminationsignals.h"

#include <QCoreApplication>

#include <cstdio>

namespace WatchCommand {

Watcher::Watcher(Setup setup, QObject *parent)
    : QObject(parent)
    , m_setup(std::move(setup))
{
    if (!m_setup.client)
        m_setup.client = makePublicServiceClient();
    PublicServiceClient &client = *m_setup.client;
    connect(&client, &PublicServiceClient::stateChanged, this, [this](const PublicState &state) {
        if (isFollowing())
            show(overviewFrom(state));
    });
    connect(&client, &PublicServiceClient::ownerChanged, this, [this](bool present) {
        if (present)
            m_local.reset();
        else
            checkAlone();
    });
    if (!client.ownerPresent()) {
        checkAlone();
        m_localReady = true;
        showLocal();
    }
}

Watcher::~Watcher() = default;

void Watcher::checkAlone()
{
    if (m_local)
        return;
    // The monitor's own refresh on the user's list and interval, without history, alerts or
    // anything else it would write but what the providers learn.
    StatusMonitor::Setup setup = AppCore::monitorSetup(AppCore::Role::Watching);
    if (m_setup.check)
        setup.check = m_setup.check;
    m_localReady = false;
    m_local = std::make_unique<StatusMonitor>(std::move(setup));
    StatusMonitor &monitor = *m_local;
    connect(&monitor, &StatusMonitor::isRefreshingChanged, this, [this](bool refreshing) {
        if (!refreshing) {
            m_localReady = true;
            showLocal();
        }
    });
    connect(&monitor, &StatusMonitor::resultsChanged, this, &Watcher::showLocal);
    connect(&monitor, &StatusMonitor::servicesChanged, this, &Watcher::showLocal);
    connect(&monitor, &StatusMonitor::isOfflineChanged, this, &Watcher::showLocal);
    connect(&monitor.settings(), &Settings::mutesChanged, this, &Watcher::showLocal);
}

void Watcher::showLocal()
{
    if (m_local && m_localReady)
        show(overview(*m_local, m_local->settings()));
}

void Watcher::show(const Overview &view)
{
    const QString line = watchLine(view, m_setup.format);
    if (line == m_lastLine)
        return;
    m_lastLine = line;
    m_setup.print(line);
}

int run(WatchFormat format)
{
    const std::unique_ptr<TerminationSignals> termination = Startup::quitOnTermination();
    Watcher::Setup setup;
    setup.format = format;
    setup.print = [](const QString &line) {
        std::fputs(qUtf8Printable(line + u'\n'), stdout);
        std::fflush(stdout);
    };
    const Watcher watcher(std::move(setup));
    return QCoreApplication::exec();
}

} // namespace WatchCommand
