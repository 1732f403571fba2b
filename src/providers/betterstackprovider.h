#pragma once

#include "net/httpsession.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>
#include <QList>

// Reads status pages hosted on Better Stack through the JSON:API document they publish at
// /index.json: the page's aggregate state, raised to critical when every listed resource is
// down; the open status reports as the result's story, maintenance reports as its windows.
class BetterStackProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(BetterStackProvider)

public:
    // A status_page_resource: one monitor or group as the page lists it.
    struct Resource {
        QString id;
        QString name;
        QString status;
    };

    // A status_report with the newest of its status updates, read leniently.
    struct Report {
        QString title;
        QString type;
        QString state;
        QDateTime startsAt;
        QDateTime endsAt;
        QString update;
        QDateTime updatedAt;
    };

    struct Document {
        QString aggregateState;
        QList<Resource> resources;
        // In the document's order.
        QList<Report> reports;
    };

    explicit BetterStackProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    // The page's address moved to https with the path /index.json, without query and
    // fragment; absent when the address has no host.
    static std::optional<QUrl> indexEndpoint(const QUrl &url);

    // The aggregate state strictly (the document must be a status page that has one), the
    // resources and reports leniently.
    static Decoded<Document> decode(const QByteArray &data);
    static ServiceStatusResult evaluate(const Service &service, const Document &document, const QDateTime &now);

    // The severity of a state word of the page, a resource or a report (any letter case);
    // Unknown for a word Better Stack does not document.
    static Indicator stateIndicator(const QString &state);

private:
    HttpSession m_session;
};
