#include "providers/gatus/gatusprovider.h"

#include "core/webaddress.h"
#include "providers/common/feedfetch.h"
#include "providers/common/jsondecoder.h"

GatusProvider::GatusProvider(HttpSession session)
    : m_session(session)
{
}

std::optional<QUrl> GatusProvider::statusesEndpoint(const QUrl &url)
{
    if (!isWebAddress(url))
        return std::nullopt;
    // Self-hosted dashboards often answer plain http on a local network: the scheme stays.
    QUrl endpoint = url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
    endpoint.setPath(QStringLiteral("/api/v1/endpoints/statuses"));
    return endpoint;
}

Decoded<QList<GatusProvider::Endpoint>> GatusProvider::decode(const QByteArray &data)
{
    JsonDecoder json;
    const std::optional<QJsonDocument> parsed = json.parse(data);
    if (parsed && !parsed->isArray())
        json.fail(tr("The data couldn't be read: the document is not an array."));

    QList<Endpoint> endpoints;
    const QString path = QStringLiteral("[]");
    for (const QJsonValue &value : parsed && parsed->isArray() ? parsed->array() : QJsonArray()) {
        const QJsonObject object = json.object(value, path);
        const QJsonArray results = json.requiredArray(object, QStringLiteral("results"), path);
        Endpoint endpoint;
        endpoint.name = object.value(u"name").toString();
        endpoint.group = object.value(u"group").toString();
        endpoint.key = object.value(u"key").toString();
        const QJsonValue latest = results.isEmpty() ? QJsonValue() : results.last().toObject().value(u"success");
        if (latest.isBool())
            endpoint.success = latest.toBool();
        endpoints.append(std::move(endpoint));
    }

    if (json.failed())
        return {std::nullopt, json.error()};
    return {std::move(endpoints), {}};
}

ServiceStatusResult GatusProvider::evaluate(const Service &service, const QList<Endpoint> &endpoints)
{
    if (endpoints.isEmpty())
        return failureResult(service, tr("The page lists no endpoints."));
    if (const QSet<QString> selected = ComponentSelection::selected(service); !selected.isEmpty()) {
        QList<PartState> parts;
        for (const Endpoint &endpoint : endpoints) {
            const Indicator state = !endpoint.success   ? Indicator::Unknown
                                    : *endpoint.success ? Indicator::None
                                                        : Indicator::Major;
            parts.append({endpoint.key, endpoint.name, state});
        }
        return ComponentSelection::evaluate(service, parts, selected, {}, ComponentSelection::AllDown::Critical);
    }
    qsizetype checked = 0;
    qsizetype failing = 0;
    for (const Endpoint &endpoint : endpoints) {
        if (!endpoint.success)
            continue;
        ++checked;
        if (!*endpoint.success)
            ++failing;
    }
    if (checked == 0)
        return failureResult(service, tr("No endpoint on the page has been checked yet."));

    Indicator indicator = Indicator::None;
    if (failing == checked)
        indicator = Indicator::Critical;
    else if (failing > 0)
        indicator = Indicator::Major;
    // Gatus has no words of its own for the whole dashboard.
    return makeResult(service, indicator, descriptionOrLabel(QString(), indicator));
}

QCoro::Task<ServiceStatusResult> GatusProvider::fetch(Service service)
{
    const std::optional<QUrl> endpoint = statusesEndpoint(service.url);
    if (!endpoint)
        co_return failureResult(service, tr("Invalid URL"));

    QCoro::Task<Decoded<QList<Endpoint>>> fetching = FeedFetch::fetchDecoded(m_session, *endpoint, &decode);
    const Decoded<QList<Endpoint>> decoded = co_await fetching;
    if (!decoded.value)
        co_return failureResult(service, decoded.error);
    co_return evaluate(service, *decoded.value);
}

QList<PageComponent> GatusProvider::components(const QList<Endpoint> &endpoints)
{
    // Gatus derives keys from names with '/' replaced, so a heading's id never equals a key.
    const auto headingID = [](const QString &group) -> QString { return QStringLiteral("group/") + group; };
    QList<PageComponent> list;
    QSet<QString> groups;
    for (const Endpoint &endpoint : endpoints) {
        if (endpoint.key.isEmpty())
            continue;
        if (!endpoint.group.isEmpty() && !groups.contains(endpoint.group)) {
            groups.insert(endpoint.group);
            list.append({headingID(endpoint.group), endpoint.group, {}, true, std::nullopt});
        }
        list.append({endpoint.key, endpoint.name.isEmpty() ? endpoint.key : endpoint.name,
                     !endpoint.success   ? QString()
                     : *endpoint.success ? QStringLiteral("up")
                                         : QStringLiteral("down"),
                     std::nullopt, endpoint.group.isEmpty() ? std::nullopt : std::optional(headingID(endpoint.group))});
    }
    return list;
}

QCoro::Task<Decoded<QList<PageComponent>>> GatusProvider::fetchComponents(QUrl url, HttpSession session)
{
    return FeedFetch::fetchMapped(std::move(session), statusesEndpoint(url), tr("Invalid URL"), &decode, &components);
}
