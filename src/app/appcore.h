#pragma once

#include "monitor/statusmonitor.h"
#include "platform/notifications.h"
#include "platform/publicbus.h"

#include <QDateTime>
#include <QObject>
#include <QUuid>

#include <memory>

class Notifier;
class PublicFace;
class Settings;
class StatusHistory;
class UptimeRecord;
class UrlOpener;

// The monitor as both the desktop application and `--headless` run it: the user's
// services, preferences, history and uptime record (written seldom while running, and at
// a clean exit), the notifier with the platform's notifications, the Status.io page
// identifiers kept between runs, and its face on the session bus. A notification's "Mute
// for 1 Hour" is stored here, whoever shows the notification. The monitors of `--check` and
// of `--watch` running alone start from the same setup (monitorSetup()).
class AppCore : public QObject
{
    Q_OBJECT

public:
    // What a mode's monitor is for.
    enum class Role {
        // The desktop application and --headless: an AppCore of their own, which writes the
        // history, the uptime record and alerts.
        Resident,
        // --watch while no instance runs: refreshes on the user's interval.
        Watching,
        // --check: one refresh, started by the caller.
        Checking,
    };

    // The one setup every mode's monitor starts from, on the user's services unless given
    // another store: the real providers, and what they learn (Status.io page identifiers) kept
    // for the next run, so that no mode asks every page again at each start. Only a resident
    // monitor writes anything else; the caller adds what its mode has of its own.
    static StatusMonitor::Setup monitorSetup(Role role, ServiceStore store = ServiceStore());

    struct Options {
        // Follow the system's reachability and wake signals.
        bool systemSignals = true;
        // Run the timer and the first refresh right after start-up.
        bool autoRefresh = true;
        // Checks one service; empty means the real providers.
        StatusMonitor::Check check;
        // The desktop's notifications; empty means the platform's.
        std::unique_ptr<Notifications> notifications;
        // The face on the session bus; empty means the platform's.
        std::unique_ptr<PublicService> publicService;
    };

    // Reads the services file and, unless told otherwise, starts refreshing.
    explicit AppCore(Options options, QObject *parent = nullptr);
    ~AppCore() override;

    StatusMonitor &monitor() { return *m_monitor; }
    Notifier &notifier() { return *m_notifier; }
    Settings &settings() { return *m_settings; }
    UrlOpener &urlOpener() { return *m_urlOpener; }
    PublicFace &publicFace() { return *m_publicFace; }

Q_SIGNALS:
    // A notification's mute action was stored: the service is muted until `end`.
    void muted(const QUuid &serviceID, const QDateTime &end);

private:
    void mute(const QUuid &serviceID);

    // In the order they are built; each may use those before it.
    std::unique_ptr<UrlOpener> m_urlOpener;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<StatusHistory> m_history;
    std::unique_ptr<UptimeRecord> m_uptime;
    std::unique_ptr<Notifier> m_notifier;
    std::unique_ptr<StatusMonitor> m_monitor;
    std::unique_ptr<PublicFace> m_publicFace;
};
