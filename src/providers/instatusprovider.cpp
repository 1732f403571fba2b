#include "providers/instatusprovider.h"

#include "providers/jsondecoder.h"
#include "providers/statuspageprovider.h"

#include <QCoreApplication>

namespace {

QList<InstatusProvider::Incident> decodeIncidents(JsonDecoder &json, const QJsonObject &top, const QString &key)
{
    QList<InstatusProvider::Incident> list;
    const std::optional<QJsonArray> array = json.optionalArray(top, key, {});
    if (!array)
        return list;
    const QString path = key + QStringLiteral("[]");
    for (const QJsonValue &value : *array) {
        const QJsonObject object = json.object(value, path);
        list.append({json.optionalString(object, QStringLiteral("name"), path),
                     json.optionalString(object, QStringLiteral("impact"), path)});
    }
    return list;
}

} // namespace

InstatusProvider::InstatusProvider(HttpSession session)
    : m_session(session)
{
}

std::optional<QUrl> InstatusProvider::summaryEndpoint(const QUrl &url)
{
    // The same rewrite as a Statuspage address, to another path.
    return StatuspageProvider::statusEndpoint(url, QStringLiteral("/summary.json"));
}

Indicator InstatusProvider::indicator(const std::optional<QString> &impact)
{
    const QString word = impact.value_or(QString()).toUpper();
    if (word == u"MAJOROUTAGE")
        return Indicator::Critical;
    if (word == u"PARTIALOUTAGE")
        return Indicator::Major;
    if (word == u"MINOROUTAGE" || word == u"DEGRADEDPERFORMANCE")
        return Indicator::Minor;
    if (word == u"OPERATIONAL" || word.isEmpty())
        return Indicator::None;
    // A word Instatus adds later is more likely trouble than good news.
    return Indicator::Major;
}

InstatusProvider::DecodedDocument InstatusProvider::decode(const QByteArray &data)
{
    JsonDecoder json;
    const std::optional<QJsonDocument> parsed = json.parse(data);
    const QJsonObject top = json.object(parsed ? parsed->object() : QJsonValue(), QString());
    if (parsed && !parsed->isObject())
        json.fail(QCoreApplication::translate("InstatusProvider",
                                              "The data couldn't be read: the document is not an object."));

    Document document;
    const QJsonObject page = json.requiredObject(top, QStringLiteral("page"), {});
    document.pageStatus = json.optionalString(page, QStringLiteral("status"), QStringLiteral("page"));
    document.incidents = decodeIncidents(json, top, QStringLiteral("activeIncidents"));
    document.maintenances = decodeIncidents(json, top, QStringLiteral("activeMaintenances"));

    DecodedDocument decoded;
    if (json.failed())
        decoded.error = json.error();
    else
        decoded.document = std::move(document);
    return decoded;
}

ServiceStatusResult InstatusProvider::evaluate(const Service &service, const Document &document)
{
    const QString pageWord = document.pageStatus.value_or(QString()).toUpper();
    const bool pageMaintenance = pageWord.contains(u"MAINTEN");

    Indicator severity = Indicator::None;
    for (const Incident &incident : document.incidents)
        severity = std::max(severity, indicator(incident.impact));
    if (!document.maintenances.isEmpty() && severity < Indicator::Major)
        severity = Indicator::Minor;
    if (severity == Indicator::None && !pageWord.isEmpty() && pageWord != u"UP")
        severity = pageMaintenance ? Indicator::Minor : Indicator::Major;

    // Only the first entry of each list is named, an unnamed first incident included.
    std::optional<QString> title;
    if (!document.incidents.isEmpty() && document.incidents.first().name)
        title = document.incidents.first().name;
    else if (!document.maintenances.isEmpty() && document.maintenances.first().name)
        title = document.maintenances.first().name;

    bool maintenance = pageMaintenance;
    if (!document.incidents.isEmpty())
        maintenance = false;
    else if (!document.maintenances.isEmpty())
        maintenance = true;

    return makeResult(service, severity, descriptionOrLabel(title.value_or(QString()), severity), title, maintenance);
}

QCoro::Task<ServiceStatusResult> InstatusProvider::fetch(const Service &serviceRef)
{
    const Service service = serviceRef;
    const std::optional<QUrl> endpoint = summaryEndpoint(service.url);
    if (!endpoint)
        co_return failureResult(service, QCoreApplication::translate("InstatusProvider", "Invalid URL"));

    QCoro::Task<HttpResponse> responseTask = m_session.get(*endpoint);
    const HttpResponse response = co_await responseTask;
    if (!response.isSuccess())
        co_return failureResult(service, response.failureText());

    const DecodedDocument decoded = decode(response.body);
    if (!decoded.document)
        co_return failureResult(service, decoded.error);
    co_return evaluate(service, *decoded.document);
}
