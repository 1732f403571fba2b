#pragma once

#include "net/httpsession.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>
#include <QList>

// Reads status pages hosted on Instatus through the summary they publish at
// /summary.json: the active incidents' impacts, raised for maintenance, with the page's
// own status word as the last resort; and the same incidents and maintenance windows as
// the result's story.
class InstatusProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(InstatusProvider)

public:
    // An active incident or maintenance as far as the state needs it.
    struct Entry {
        std::optional<QString> name;
        std::optional<QString> impact;
    };

    struct Document {
        std::optional<QString> pageStatus;
        QList<Entry> incidents;
        QList<Entry> maintenances;
        // The story, read leniently: unresolved incidents and maintenance not completed, in
        // the summary's order, before the window rule of the check's time.
        QList<::Incident> unresolved;
        QList<Maintenance> windows;
    };

    explicit InstatusProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    // The page's address moved to https with the path /summary.json, without query and
    // fragment; absent when the address has no host.
    static std::optional<QUrl> summaryEndpoint(const QUrl &url);

    // The state strictly (a wrong type fails the document), the story leniently.
    static Decoded<Document> decode(const QByteArray &data);
    static ServiceStatusResult evaluate(const Service &service, const Document &document, const QDateTime &now);

    // The severity of an incident's impact word (any letter case; absent is empty).
    static Indicator indicator(const std::optional<QString> &impact);

private:
    HttpSession m_session;
};
