#pragma once

#include "net/httpsession.h"
#include "providers/common/componentselection.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>
#include <QList>

// Reads self-hosted Cachet pages through their public API: the worst of the components at
// /api/v1/components (or of those the user chose), every page of the list, and, only when
// that is not operational, the unresolved incidents at /api/v1/incidents as the result's
// story, with the incidents scheduled ahead as its windows.
class CachetProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(CachetProvider)

public:
    struct Component {
        QString id;
        QString name;
        // 1 operational to 4 major outage; 0 (unknown) or anything else counts for nothing.
        int status = 0;
        // The component group it is listed under; empty for none.
        QString groupID;
    };

    // A component group: the heading components are listed under.
    struct Group {
        QString id;
        QString name;
    };

    struct Document {
        QList<Component> components;
    };

    struct Story {
        // Unresolved incidents, newest first.
        QList<Incident> incidents;
        QList<Maintenance> windows;
    };

    // Pages read of one list at most (2,000 components at 100 a page): a server whose next
    // page never ends must not hold a check until it times out.
    static constexpr int maxPages = 20;

    explicit CachetProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    // The API address `path` on the page's host, keeping its scheme (self-hosted pages are
    // often plain http) and asking for one large page of `perPage` entries; absent when the
    // address has no host or is not http(s).
    static std::optional<QUrl> apiEndpoint(const QUrl &url, const QString &path, int perPage);

    // Strict: a data array of objects with an identifier, a name and a numeric status, which
    // is also what tells a Cachet page from other JSON.
    static Decoded<Document> decode(const QByteArray &data);
    // Lenient: whatever cannot be read is left out. With a selection, only the incidents and
    // windows of a selected component.
    static Story decodeStory(const QByteArray &data, const QDateTime &now, const QSet<QString> &selected = {});
    // Lenient: the groups of /api/v1/components/groups that can be read.
    static QList<Group> decodeGroups(const QByteArray &data);
    // The number of the page after this one of a list, from its "meta.pagination": the page
    // its next-page link asks for (0 when the link names none), else the one after the
    // current page while there are more; absent on the last page and for a list without
    // pagination (older releases answer with one page).
    static std::optional<int> nextPage(const QByteArray &data);
    static ServiceStatusResult evaluate(const Service &service, const Document &document, const Story &story);

    static Indicator indicator(int status);

    // The components under their groups' headings, for the component picker.
    static QList<PageComponent> components(const Document &document, const QList<Group> &groups);
    static QCoro::Task<Decoded<QList<PageComponent>>> fetchComponents(QUrl url, HttpSession session);

private:
    HttpSession m_session;
};
