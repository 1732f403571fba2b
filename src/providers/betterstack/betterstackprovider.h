#pragma once

#include "net/httpsession.h"
#include "providers/common/componentselection.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>
#include <QList>

// Reads status pages hosted on Better Stack through the JSON:API document they publish at
// /index.json: the page's aggregate state, raised to critical when every listed resource is
// down, or the worst of the resources the user chose; the open status reports as the
// result's story, maintenance reports as its windows.
class BetterStackProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(BetterStackProvider)

public:
    // A status_page_resource: one monitor or group as the page lists it.
    struct Resource {
        QString id;
        QString name;
        QString status;
        QString sectionID;
    };

    // A status_page_section: the heading resources are listed under.
    struct Section {
        QString id;
        QString name;
    };

    // A status_report with the newest of its status updates, read leniently, both as the
    // incident and as the window it may be (its type and the check's time decide), with the
    // resources it names.
    struct Report {
        QString type;
        QString state;
        Listed<::Incident> incident;
        Listed<Maintenance> window;
    };

    struct Document {
        QString aggregateState;
        QList<Resource> resources;
        QList<Section> sections;
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

    // The page's resources under their sections, for the component picker.
    static QList<PageComponent> components(const Document &document);
    static QCoro::Task<Decoded<QList<PageComponent>>> fetchComponents(QUrl url, HttpSession session);

private:
    static ServiceStatusResult pageResult(const Service &service, const Document &document, QList<Incident> incidents,
                                          const QList<Maintenance> &windows);

    HttpSession m_session;
};
