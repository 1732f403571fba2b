#pragma once

#include "net/httpsession.h"
#include "providers/common/componentselection.h"
#include "providers/common/jsondecoder.h"
#include "providers/providercontext.h"
#include "providers/statuspage/maintenancecalendar.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>
#include <QList>
#include <QSet>
#include <QStringList>

#include <memory>

// Reads hosted status pages that publish the Statuspage JSON API under /api/v2/: the
// page's overall state, or the worst of the components the user selected, with the page's
// unresolved incidents and coming maintenance. A page-wide check reads the small status
// document; only a page in trouble costs a second request for its incidents, and the
// maintenance calendar is read at most once an hour when the context keeps a MaintenanceCalendar.
class StatuspageProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(StatuspageProvider)

public:
    // A component with the page's status word ("operational", "partial_outage", ...).
    using Component = PageComponent;
    template<class Entry>
    using Listed = ::Listed<Entry>;

    // What a document tells besides the state. A list is absent when the document does not
    // carry it; resolved incidents and completed maintenance are never listed.
    struct Story {
        std::optional<QList<Listed<::Incident>>> incidents;
        std::optional<QList<Listed<Maintenance>>> maintenances;
    };

    struct Document {
        QString indicator;
        QString description;
        std::optional<QList<Component>> components;
        Story story;
    };

    explicit StatuspageProvider(HttpSession session, std::shared_ptr<MaintenanceCalendar> calendar = {});
    // The provider as the table makes it, with what the context holds for it.
    static std::unique_ptr<StatusProvider> make(const HttpSession &session, const ProviderContext &context);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    // The page's address moved to https with the given path, without query and fragment;
    // absent when the address has no host or is not a web address.
    static std::optional<QUrl> statusEndpoint(const QUrl &url, const QString &path);

    // Any of the page's documents that carries the state (status.json, summary.json): the
    // state strictly, the story leniently, so that an odd incident never hides the state.
    static Decoded<Document> decode(const QByteArray &data);
    // The story of incidents/unresolved.json or summary.json; never fails, an unreadable
    // document tells nothing.
    static Story decodeStory(const QByteArray &data);

    // The result of a decoded document for the service (page-wide or selected components),
    // checked at `now`. A page-wide result names incidents only when the page reports
    // trouble: they are read only then, and a result should not depend on which document
    // happened to carry them.
    static ServiceStatusResult evaluate(const Service &service, const Document &document, const QDateTime &now);

    // Every component of the page at `url`, in document order, for the component picker.
    static QCoro::Task<Decoded<QList<Component>>> fetchComponents(QUrl url, HttpSession session = HttpSession());

    // The component status word's severity (Unknown for words outside the table).
    static Indicator componentIndicator(const QString &status);

private:
    HttpSession m_session;
    std::shared_ptr<MaintenanceCalendar> m_calendar;
};
