#pragma once

#include "net/httpsession.h"
#include "providers/common/componentselection.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>

// Reads Uptime Kuma status pages (<base>/status/<slug>) through the two documents the page
// itself polls: /api/status-page/<slug> for its monitors, its pinned incident and its
// maintenance, and /api/status-page/heartbeat/<slug> for each monitor's recent heartbeats,
// oldest first. The state is what the monitors' latest heartbeats say (those the user chose,
// when narrowed); the incident is the title and, with the maintenance, the story of the
// whole page.
class UptimeKumaProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(UptimeKumaProvider)

public:
    // A heartbeat's status as Uptime Kuma numbers it.
    enum class Beat { Down = 0, Up = 1, Pending = 2, Maintenance = 3 };

    struct Monitor {
        // The monitor's id as text, the way the heartbeat document keys it.
        QString id;
        QString name;
        // The id of the group the page lists it under.
        QString groupID;
    };

    struct Group {
        QString id;
        QString name;
    };

    struct Page {
        // In the page's order.
        QList<Group> groups;
        QList<Monitor> monitors;
        // The story, read leniently. The pinned incident, when the page shows one.
        std::optional<::Incident> incident;
        QList<Maintenance> windows;
    };

    // The latest heartbeat of each monitor that has one, by monitor id.
    using Heartbeats = QHash<QString, Beat>;

    struct Endpoints {
        QUrl page;
        QUrl heartbeats;
    };

    explicit UptimeKumaProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    // The two documents of a page address of the shape <base>/status/<slug> (the base may
    // carry a path of its own); absent for any other address.
    static std::optional<Endpoints> endpoints(const QUrl &url);

    // The monitors strictly (they tell an Uptime Kuma page apart), the story leniently.
    static Decoded<Page> decodePage(const QByteArray &data);
    // Strict on "heartbeatList" being an object; entries that are not heartbeats are passed over.
    static Decoded<Heartbeats> decodeHeartbeats(const QByteArray &data);
    static ServiceStatusResult evaluate(const Service &service, const Page &page, const Heartbeats &heartbeats,
                                        const QDateTime &now);

    // The page's monitors under their groups, for the component picker.
    static QList<PageComponent> components(const Page &page);
    static QCoro::Task<Decoded<QList<PageComponent>>> fetchComponents(QUrl url, HttpSession session);

private:
    // Why an address that is not <base>/status/<slug> is not read.
    static QString notAPageText();
    static ServiceStatusResult selectionResult(const Service &service, const Page &page, const Heartbeats &heartbeats,
                                               const QSet<QString> &selected);

    HttpSession m_session;
};
