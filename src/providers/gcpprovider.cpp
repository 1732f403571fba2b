#include "providers/gcpprovider.h"

#include "providers/feedscan.h"
#include "providers/jsondecoder.h"
#include "providers/readertable.h"

#include <QCoreApplication>
#include <QtConcurrent/QtConcurrentRun>
#include <qcoro/qcorofuture.h>

GCPProvider::GCPProvider(HttpSession session)
    : m_session(session)
{
}

QUrl GCPProvider::feed()
{
    return fixedFeed(ProviderKind::Gcp);
}

GCPProvider::DecodedIncidents GCPProvider::decode(const QByteArray &body)
{
    JsonDecoder json;
    const std::optional<QJsonDocument> parsed = json.parse(body);
    if (parsed && !parsed->isArray())
        json.fail(
            QCoreApplication::translate("GCPProvider", "The data couldn't be read: the document is not an array."));

    QList<Incident> open;
    if (!json.failed()) {
        const QJsonArray array = parsed->array();
        const QString path = QStringLiteral("[]");
        const QString productPath = QStringLiteral("[].affected_products[]");
        for (const QJsonValue &value : array) {
            const QJsonObject object = json.object(value, path);
            Incident incident;
            incident.end = json.optionalString(object, QStringLiteral("end"), path);
            incident.externalDesc = json.optionalString(object, QStringLiteral("external_desc"), path);
            incident.statusImpact = json.optionalString(object, QStringLiteral("status_impact"), path);
            incident.severity = json.optionalString(object, QStringLiteral("severity"), path);
            const std::optional<QJsonArray> products = json.optionalArray(object, QStringLiteral("affected_products"),
                                                                          path);
            if (products) {
                // Every product is checked, as a stricter reader would, but only the
                // first one's title is ever shown.
                for (qsizetype i = 0; i < products->size(); ++i) {
                    const QJsonObject product = json.object(products->at(i), productPath);
                    const std::optional<QString> title = json.optionalString(product, QStringLiteral("title"),
                                                                             productPath);
                    if (i == 0)
                        incident.firstProductTitle = title;
                }
            }
            if (json.failed())
                break;
            if (isOpen(incident))
                open.append(std::move(incident));
        }
    }

    DecodedIncidents decoded;
    if (json.failed())
        decoded.error = json.error();
    else
        decoded.incidents = std::move(open);
    return decoded;
}

bool GCPProvider::isOpen(const Incident &incident)
{
    return !incident.end || incident.end->isEmpty();
}

Indicator GCPProvider::severity(const Incident &incident)
{
    if (incident.statusImpact) {
        if (*incident.statusImpact == u"SERVICE_OUTAGE")
            return Indicator::Critical;
        if (*incident.statusImpact == u"SERVICE_DISRUPTION")
            return Indicator::Major;
        if (*incident.statusImpact == u"SERVICE_INFORMATION")
            return Indicator::Minor;
    }
    if (incident.severity) {
        if (*incident.severity == u"high")
            return Indicator::Critical;
        if (*incident.severity == u"medium")
            return Indicator::Major;
    }
    return Indicator::Minor;
}

ServiceStatusResult GCPProvider::evaluate(const Service &service, const QList<Incident> &incidents)
{
    QList<const Incident *> open;
    for (const Incident &incident : incidents) {
        if (isOpen(incident))
            open.append(&incident);
    }
    if (open.isEmpty())
        return makeResult(service, Indicator::None, label(Indicator::None));

    const Incident *chosen = open.first();
    for (const Incident *incident : std::as_const(open)) {
        if (severity(*incident) > severity(*chosen))
            chosen = incident;
    }
    const Indicator worst = severity(*chosen);
    QString description = chosen->externalDesc.value_or(label(worst));
    if (chosen->firstProductTitle)
        description += QStringLiteral(" \u2014 ") + *chosen->firstProductTitle;
    description += FeedScan::moreSuffix(open.size());
    return makeResult(service, worst, descriptionOrLabel(description, worst));
}

QCoro::Task<ServiceStatusResult> GCPProvider::fetch(const Service &serviceRef)
{
    const Service service = serviceRef;
    QCoro::Task<HttpResponse> responseTask = m_session.get(feed());
    const HttpResponse response = co_await responseTask;
    if (!response.isSuccess())
        co_return failureResult(service, response.failureText());
    QFuture<DecodedIncidents> decoding = QtConcurrent::run(&GCPProvider::decode, response.body);
    const DecodedIncidents decoded = co_await decoding;
    if (!decoded.incidents)
        co_return failureResult(service, decoded.error);
    co_return evaluate(service, *decoded.incidents);
}
