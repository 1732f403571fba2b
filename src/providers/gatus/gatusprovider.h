#pragma once

#include "net/httpsession.h"
#include "providers/common/componentselection.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>
#include <QList>

// Reads Gatus dashboards through the list they publish at /api/v1/endpoints/statuses: every
// endpoint with its recent results, oldest first. The state is how many endpoints failed
// their latest check (or how many of the endpoints the user chose, by their keys); Gatus
// keeps no incidents or maintenance in that list, so there is no story to tell.
class GatusProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(GatusProvider)

public:
    struct Endpoint {
        QString name;
        QString group;
        QString key;
        // The latest result's verdict; absent when the endpoint has not been checked yet.
        std::optional<bool> success;
    };

    explicit GatusProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    // The dashboard's origin (any path, query and fragment dropped) with the statuses path;
    // absent when the address is not a web address.
    static std::optional<QUrl> statusesEndpoint(const QUrl &url);

    // Strict on the shape that tells a Gatus list apart (an array of objects, each with a
    // "results" array), lenient on everything inside a result.
    static Decoded<QList<Endpoint>> decode(const QByteArray &data);
    static ServiceStatusResult evaluate(const Service &service, const QList<Endpoint> &endpoints);

    // The dashboard's endpoints, keyed, under a heading per group, for the component picker.
    static QList<PageComponent> components(const QList<Endpoint> &endpoints);
    static QCoro::Task<Decoded<QList<PageComponent>>> fetchComponents(QUrl url, HttpSession session);

private:
    HttpSession m_session;
};
