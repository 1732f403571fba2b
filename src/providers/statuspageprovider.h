#pragma once

#include "net/httpsession.h"
#include "providers/jsondecoder.h"
#include "providers/statusprovider.h"

#include <QList>
#include <QSet>
#include <QStringList>

// Reads hosted status pages that publish the Statuspage JSON API under /api/v2/: the
// page's overall state, or the worst of the components the user selected.
class StatuspageProvider final : public StatusProvider
{
public:
    struct Component {
        QString id;
        QString name;
        QString status;
        std::optional<bool> group;
        std::optional<QString> groupID;
        bool operator==(const Component &) const = default;
    };

    struct Incident {
        std::optional<QString> name;
        std::optional<QString> status;
        std::optional<QStringList> componentIDs;
    };

    struct Document {
        QString indicator;
        QString description;
        std::optional<QList<Incident>> incidents;
        std::optional<QList<Component>> components;
    };

    struct DecodedDocument {
        std::optional<Document> document;
        QString error;
    };

    struct ComponentListing {
        QList<Component> components;
        std::optional<QString> error; // set when the listing failed
    };

    explicit StatuspageProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(const Service &service) override;

    // The page's address moved to https with the given path, without query and fragment;
    // absent when the address has no host or is not a web address.
    static std::optional<QUrl> statusEndpoint(const QUrl &url, const QString &path);

    static DecodedDocument decode(const QByteArray &data);

    // The result of a decoded document for the service (page-wide or selected components).
    static ServiceStatusResult evaluate(const Service &service, const Document &document);

    // Every component of the page, in document order, for the component picker.
    static QCoro::Task<ComponentListing> fetchComponents(QUrl url, HttpSession session);

    // The component status word's severity (Unknown for words outside the table).
    static Indicator componentIndicator(const QString &status);

    // The name of the first incident that is neither resolved nor in postmortem.
    static std::optional<QString> activeIncidentName(const QList<Incident> &incidents);

private:
    static ServiceStatusResult evaluateComponents(const Service &service, const Document &document,
                                                  const QSet<QString> &selected);

    HttpSession m_session;
};
