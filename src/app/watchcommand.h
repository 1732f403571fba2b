#pragma once

#include "app/watchformats.h"
#include "monitor/statusmonitor.h"
#include "platform/publicbus.h"

#include <QObject>

#include <functional>
#include <memory>

// `glinter --watch`: one line for a status bar at once and one per change of state, until
// killed. It follows the running instance over the session bus, so that the feeds are not
// read twice; while none runs it checks by itself on the configured interval, writing no
// file but what the providers learn (as every mode keeps it). When the instance comes or goes it switches over, and the
// bar keeps the last line until the other side has something to say.
namespace WatchCommand {

class Watcher : public QObject
{
    Q_OBJECT

public:
    struct Setup {
        WatchFormat format = WatchFormat::Waybar;
        // Takes each new line, without its newline.
        std::function<void(const QString &line)> print;
        // Who owns the bus name; empty means the platform's.
        std::unique_ptr<PublicServiceClient> client;
        // How the checks of its own read a service; empty means the real providers.
        StatusMonitor::Check check;
    };

    explicit Watcher(Setup setup, QObject *parent = nullptr);
    ~Watcher() override;

    // Whether the lines come from the running instance rather than its own checks.
    bool isFollowing() const { return !m_local; }

private:
    void checkAlone();
    void showLocal();
    void show(const Overview &view);

    Setup m_setup;
    std::unique_ptr<StatusMonitor> m_local;
    // Whether the checks of its own have something to say: at once at start, else once the
    // first refresh after taking over is done.
    bool m_localReady = false;
    QString m_lastLine;
};

// Prints to stdout until SIGINT or SIGTERM; returns the exit status.
int run(WatchFormat format);

} // namespace WatchCommand
