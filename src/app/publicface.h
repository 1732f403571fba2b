#pragma once

#include "platform/publicbus.h"

#include <QObject>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

class Settings;
class StatusMonitor;
struct Overview;

// The running monitor on the session bus: its state as properties, announced on every
// change, and its methods answered from the monitor and the settings.
class PublicFace : public QObject
{
    Q_OBJECT

public:
    PublicFace(StatusMonitor &monitor, Settings &settings, std::unique_ptr<PublicService> service,
               QObject *parent = nullptr);
    ~PublicFace() override;

    // Shows the panel; without one ShowPanel answers that this instance has none.
    void setPanelPresenter(std::function<void()> present) { m_present = std::move(present); }

    // Whether this process owns the name.
    bool isPublished() const { return m_published; }

private:
    void update();
    std::optional<QUuid> knownService(const QString &id) const;
    static PublicError unknownService(const QString &id);

    StatusMonitor &m_monitor;
    Settings &m_settings;
    std::unique_ptr<PublicService> m_service;
    std::function<void()> m_present;
    bool m_published = false;
};

// The properties of an overview, and the overview a watcher reads back from them.
PublicState publicState(const Overview &view);
Overview overviewFrom(const PublicState &state);
