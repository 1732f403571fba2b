#include "providers/statuspageprovider.h"

#include <QCoreApplication>

namespace {

const QString kStatusPath = QStringLiteral("/api/v2/status.json");
const QString kSummaryPath = QStringLiteral("/api/v2/summary.json");

QString tr(const char *text)
{
    return QCoreApplication::translate("StatuspageProvider", text);
}

QSet<QString> selectedSet(const Service &service)
{
    if (!service.components)
        return {};
    return QSet<QString>(service.components->cbegin(), service.components->cend());
}

} // namespace

StatuspageProvider::StatuspageProvider(HttpSession session)
    : m_session(session)
{
}

std::optional<QUrl> StatuspageProvider::statusEndpoint(const QUrl &url, const QString &path)
{
    if (!url.isValid() || url.host().isEmpty())
        return std::nullopt;
    const QString scheme = url.scheme();
    if (scheme != u"http" && scheme != u"https")
        return std::nullopt;
    QUrl endpoint = url;
    endpoint.setScheme(QStringLiteral("https"));
    endpoint.setPath(path);
    endpoint.setQuery(QString());
    endpoint.setFragment(QString());
    return endpoint;
}

Indicator StatuspageProvider::componentIndicator(const QString &status)
{
    if (status == u"operational")
        return Indicator::None;
    if (status == u"degraded_performance" || status == u"under_maintenance")
        return Indicator::Minor;
    if (status == u"partial_outage")
        return Indicator::Major;
    if (status == u"major_outage")
        return Indicator::Critical;
    return Indicator::Unknown;
}

std::optional<QString> StatuspageProvider::activeIncidentName(const QList<Incident> &incidents)
{
    for (const Incident &incident : incidents) {
        if (incident.status) {
            const QString status = incident.status->toLower();
            if (status == u"resolved" || status == u"postmortem")
                continue;
        }
        return incident.name;
    }
    return std::nullopt;
}

StatuspageProvider::DecodedDocument StatuspageProvider::decode(const QByteArray &data)
{
    JsonDecoder json;
    DecodedDocument decoded;
    const std::optional<QJsonDocument> parsed = json.parse(data);
    const QJsonObject top = json.object(parsed ? parsed->object() : QJsonValue(), QString());
    if (parsed && !parsed->isObject())
        json.fail(tr("The data couldn't be read: the document is not an object."));

    Document document;
    const QJsonObject status = json.requiredObject(top, QStringLiteral("status"), {});
    document.indicator = json.requiredString(status, QStringLiteral("indicator"), QStringLiteral("status"));
    document.description = json.requiredString(status, QStringLiteral("description"), QStringLiteral("status"));

    if (const auto incidents = json.optionalArray(top, QStringLiteral("incidents"), {})) {
        QList<Incident> list;
        list.reserve(incidents->size());
        for (const QJsonValue &value : *incidents) {
            const QJsonObject object = json.object(value, QStringLiteral("incidents[]"));
            const QString path = QStringLiteral("incidents[]");
            Incident incident;
            incident.name = json.optionalString(object, QStringLiteral("name"), path);
            incident.status = json.optionalString(object, QStringLiteral("status"), path);
            if (const auto components = json.optionalArray(object, QStringLiteral("components"), path)) {
                QStringList ids;
                for (const QJsonValue &component : *components) {
                    const QJsonObject c = json.object(component, QStringLiteral("incidents[].components[]"));
                    ids.append(
                        json.requiredString(c, QStringLiteral("id"), QStringLiteral("incidents[].components[]")));
                }
                incident.componentIDs = ids;
            }
            list.append(std::move(incident));
        }
        document.incidents = std::move(list);
    }

    if (const auto components = json.optionalArray(top, QStringLiteral("components"), {})) {
        QList<Component> list;
        list.reserve(components->size());
        const QString path = QStringLiteral("components[]");
        for (const QJsonValue &value : *components) {
            const QJsonObject object = json.object(value, path);
            Component component;
            component.id = json.requiredString(object, QStringLiteral("id"), path);
            component.name = json.requiredString(object, QStringLiteral("name"), path);
            component.status = json.requiredString(object, QStringLiteral("status"), path);
            component.group = json.optionalBool(object, QStringLiteral("group"), path);
            component.groupID = json.optionalString(object, QStringLiteral("group_id"), path);
            list.append(std::move(component));
        }
        document.components = std::move(list);
    }

    if (json.failed())
        decoded.error = json.error();
    else
        decoded.document = std::move(document);
    return decoded;
}

ServiceStatusResult StatuspageProvider::evaluate(const Service &service, const Document &document)
{
    const QSet<QString> selected = selectedSet(service);
    if (!selected.isEmpty())
        return evaluateComponents(service, document, selected);

    const Indicator indicator = indicatorFromStatuspageWord(document.indicator);
    const bool maintenance = document.indicator.toLower() == u"maintenance";
    const std::optional<QString> title = document.incidents ? activeIncidentName(*document.incidents) : std::nullopt;
    return makeResult(service, indicator, descriptionOrLabel(document.description, indicator), title, maintenance);
}

ServiceStatusResult StatuspageProvider::evaluateComponents(const Service &service, const Document &document,
                                                           const QSet<QString> &selected)
{
    QList<Component> kept;
    if (document.components) {
        for (const Component &component : *document.components) {
            if (selected.contains(component.id) && componentIndicator(component.status) != Indicator::Unknown)
                kept.append(component);
        }
    }
    if (kept.isEmpty())
        return failureResult(service, tr("Selected components not found"));

    const Component *worst = &kept.first();
    for (const Component &component : kept) {
        if (componentIndicator(component.status) > componentIndicator(worst->status))
            worst = &component;
    }
    const Indicator indicator = componentIndicator(worst->status);
    const qsizetype missing = selected.size() - kept.size();
    if (indicator == Indicator::None && missing >= 1) {
        return failureResult(service, tr("%1 of %2 selected components not found").arg(missing).arg(selected.size()));
    }

    std::optional<QString> title;
    if (document.incidents) {
        QList<Incident> relevant;
        for (const Incident &incident : *document.incidents) {
            if (!incident.componentIDs)
                continue;
            for (const QString &id : *incident.componentIDs) {
                if (selected.contains(id)) {
                    relevant.append(incident);
                    break;
                }
            }
        }
        title = activeIncidentName(relevant);
    }

    const QString description = indicator == Indicator::None ? label(Indicator::None)
                                                             : worst->name + QStringLiteral(": ") + label(indicator);
    return makeResult(service, indicator, description, title, worst->status == u"under_maintenance");
}

QCoro::Task<ServiceStatusResult> StatuspageProvider::fetch(const Service &serviceRef)
{
    const Service service = serviceRef;
    const QString path = selectedSet(service).isEmpty() ? kStatusPath : kSummaryPath;
    const std::optional<QUrl> endpoint = statusEndpoint(service.url, path);
    if (!endpoint)
        co_return failureResult(service, tr("Invalid URL"));

    QCoro::Task<HttpResponse> responseTask = m_session.get(*endpoint);
    const HttpResponse response = co_await responseTask;
    if (!response.isSuccess())
        co_return failureResult(service, response.failureText());

    const DecodedDocument decoded = decode(response.body);
    if (!decoded.document)
        co_return failureResult(service, decoded.error);
    co_return evaluate(service, *decoded.document);
}

QCoro::Task<StatuspageProvider::ComponentListing> StatuspageProvider::fetchComponents(QUrl url, HttpSession session)
{
    ComponentListing listing;
    const std::optional<QUrl> endpoint = statusEndpoint(url, kSummaryPath);
    if (!endpoint) {
        listing.error = tr("Invalid URL");
        co_return listing;
    }
    QCoro::Task<HttpResponse> responseTask = session.get(*endpoint);
    const HttpResponse response = co_await responseTask;
    if (!response.isSuccess()) {
        listing.error = response.failureText();
        co_return listing;
    }
    const DecodedDocument decoded = decode(response.body);
    if (!decoded.document) {
        listing.error = decoded.error;
        co_return listing;
    }
    listing.components = decoded.document->components.value_or(QList<Component>());
    co_return listing;
}
