#pragma once

#include "net/httpsession.h"
#include "providers/common/componentselection.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>
#include <QList>

// Reads status pages hosted on Instatus through the summary they publish at
// /summary.json: the active incidents' impacts, raised for maintenance, with the page's
// own status word as the last resort; and the same incidents and maintenance windows as
// the result's story. A service narrowed to chosen components reads the page's component
// list at /v2/components.json instead, as the summary's incidents do not say which
// components they touch.
class InstatusProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(InstatusProvider)

public:
    // An active incident or maintenance, as the state and the story both read it, and
    // whether it has a name: a first entry without one names nothing, an empty one does.
    template<class Entry>
    struct Active {
        Entry entry;
        bool named = false;
    };

    struct Document {
        std::optional<QString> pageStatus;
        // Unresolved incidents and maintenance not completed, in the summary's order; the
        // windows before the rule of the check's time.
        QList<Active<::Incident>> incidents;
        QList<Active<Maintenance>> maintenances;
    };

    explicit InstatusProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    // The page's address moved to https with the path /summary.json, without query and
    // fragment; absent when the address has no host.
    static std::optional<QUrl> summaryEndpoint(const QUrl &url);

    // Strict where the state reads (a name or impact of the wrong type fails the document),
    // lenient for the rest of the story.
    static Decoded<Document> decode(const QByteArray &data);
    static ServiceStatusResult evaluate(const Service &service, const Document &document, const QDateTime &now);

    // The severity of an incident's impact word (any letter case); absent for no word.
    static std::optional<Indicator> impact(const QString &word);

    // The page's components in its order, each group a heading followed by its members
    // (given nested under "children", or naming their group under "group"). Strict: an
    // entry without a string id and name fails the list.
    static Decoded<QList<PageComponent>> decodeComponents(const QByteArray &data);
    // The severity of a component's status word (any letter case); Unknown for a word this
    // provider does not know, which makes the component count as missing.
    static Indicator componentIndicator(const QString &word);
    // The chosen components' state, judged as for every provider that can be narrowed.
    static ServiceStatusResult evaluateComponents(const Service &service, const QList<PageComponent> &components);
    static QCoro::Task<Decoded<QList<PageComponent>>> fetchComponents(QUrl url, HttpSession session);

private:
    HttpSession m_session;
};
