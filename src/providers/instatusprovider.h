#pragma once

#include "net/httpsession.h"
#include "providers/statusprovider.h"

#include <QList>

// Reads status pages hosted on Instatus through the summary they publish at
// /summary.json: the active incidents' impacts, raised for maintenance, with the page's
// own status word as the last resort.
class InstatusProvider final : public StatusProvider
{
public:
    struct Incident {
        std::optional<QString> name;
        std::optional<QString> impact;
    };

    struct Document {
        std::optional<QString> pageStatus;
        QList<Incident> incidents;
        QList<Incident> maintenances;
    };

    struct DecodedDocument {
        std::optional<Document> document;
        QString error;
    };

    explicit InstatusProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(const Service &service) override;

    // The page's address moved to https with the path /summary.json, without query and
    // fragment; absent when the address has no host.
    static std::optional<QUrl> summaryEndpoint(const QUrl &url);

    static DecodedDocument decode(const QByteArray &data);
    static ServiceStatusResult evaluate(const Service &service, const Document &document);

    // The severity of an incident's impact word (any letter case; absent is empty).
    static Indicator indicator(const std::optional<QString> &impact);

private:
    HttpSession m_session;
};
