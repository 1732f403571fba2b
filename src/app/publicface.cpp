#include "app/publicface.h"

#include "core/settings.h"
#include "monitor/overview.h"
#include "monitor/statusmonitor.h"

#include <QCoreApplication>

#include <algorithm>

PublicState publicState(const Overview &view)
{
    PublicState state{
        .indicator = indicatorName(view.indicator),
        .summary = view.summary,
        .lastRefresh = view.lastRefresh,
    };
    for (const ServiceEntry &entry : view.services)
        state.services.append(entryMap(entry));
    return state;
}

Overview overviewFrom(const PublicState &state)
{
    Overview view{
        .indicator = indicatorFromStatuspageWord(state.indicator),
        .summary = state.summary,
        .lastRefresh = state.lastRefresh,
    };
    for (const QVariantMap &entry : state.services)
        view.services.append(entryFromMap(entry));
    return view;
}

PublicFace::PublicFace(StatusMonitor &monitor, Settings &settings, std::unique_ptr<PublicService> service,
                       QObject *parent)
    : QObject(parent)
    , m_monitor(monitor)
    , m_settings(settings)
    , m_service(std::move(service))
{
    // The state is in place before the name is taken, so that the first reader sees it.
    update();
    PublicService::Requests requests;
    requests.refresh = [this] { m_monitor.requestRefresh(); };
    requests.showPanel = [this]() -> std::optional<PublicError> {
        if (!m_present)
            return PublicError{PublicError::Kind::NotSupported,
                               QCoreApplication::translate("PublicFace", "glinter --headless has no panel to show")};
        m_present();
        return std::nullopt;
    };
    requests.mute = [this](const QString &id, uint seconds) -> std::optional<PublicError> {
        const std::optional<QUuid> service = knownService(id);
        if (!service)
            return unknownService(id);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        if (seconds == 0)
            m_settings.setMuted(*service, true, now);
        else
            m_settings.muteUntil(*service, now.addSecs(seconds), now);
        return std::nullopt;
    };
    requests.unmute = [this](const QString &id) -> std::optional<PublicError> {
        const std::optional<QUuid> service = knownService(id);
        if (!service)
            return unknownService(id);
        // Ends a timed mute as well.
        m_settings.setMuted(*service, false);
        return std::nullopt;
    };
    m_published = m_service->publish(std::move(requests));
    // Without a bus, or with the name held by another process, nobody reads the state: it is
    // not built again at every refresh.
    if (!m_published)
        return;

    connect(&m_monitor, &StatusMonitor::resultsChanged, this, &PublicFace::update);
    connect(&m_monitor, &StatusMonitor::servicesChanged, this, &PublicFace::update);
    connect(&m_monitor, &StatusMonitor::isOfflineChanged, this, &PublicFace::update);
    connect(&m_settings, &Settings::mutesChanged, this, &PublicFace::update);
}

PublicFace::~PublicFace() = default;

void PublicFace::update()
{
    m_service->setState(publicState(overview(m_monitor, m_settings)));
}

std::optional<QUuid> PublicFace::knownService(const QString &id) const
{
    const std::optional<QUuid> uuid = parseUuid(id);
    return uuid && m_monitor.service(*uuid) ? uuid : std::nullopt;
}

PublicError PublicFace::unknownService(const QString &id)
{
    return {PublicError::Kind::UnknownService,
            QCoreApplication::translate("PublicFace", "no service has the id \"%1\"").arg(id)};
}
