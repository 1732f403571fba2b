#include "providers/gcp/gcpprovider.h"

#include "providers/common/feedfetch.h"
#include "providers/common/feedscan.h"
#include "providers/common/jsondecoder.h"
#include "providers/providertable.h"

#include <QtConcurrent/QtConcurrentRun>

namespace {

// The incident's latest update: the archive lists the updates newest first and repeats the
// first as "most_recent_update".
void readLatestUpdate(const QJsonObject &object, GCPProvider::Incident &incident)
{
    QJsonObject latest = object.value(u"most_recent_update").toObject();
    if (latest.isEmpty())
        latest = object.value(u"updates").toArray().at(0).toObject();
    incident.update = latest.value(u"text").toString().trimmed();
    incident.updatedAt = LenientJson::isoInstant(latest.value(u"when"));
    if (!incident.updatedAt.isValid())
        incident.updatedAt = LenientJson::isoInstant(latest.value(u"modified"));
}

// The title the row gives the incident.
QString headline(const GCPProvider::Incident &incident, Indicator severity)
{
    QString text = incident.externalDesc.value_or(label(severity));
    if (incident.firstProductTitle)
        text += QStringLiteral(" \u2014 ") + *incident.firstProductTitle;
    return text;
}

} // namespace

GCPProvider::GCPProvider(HttpSession session)
    : m_session(session)
{
}

QUrl GCPProvider::feed()
{
    return fixedFeed(ProviderKind::Gcp);
}

Decoded<QList<GCPProvider::Incident>> GCPProvider::decode(const QByteArray &body)
{
    JsonDecoder json;
    const std::optional<QJsonDocument> parsed = json.parse(body);
    if (parsed && !parsed->isArray())
        json.fail(tr("The data couldn't be read: the document is not an array."));

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
                // Every product is checked, as a stricter provider would, but only the
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
            if (!isOpen(incident))
                continue;
            incident.begin = LenientJson::isoInstant(object.value(u"begin"));
            readLatestUpdate(object, incident);
            incident.page = incidentPage(object.value(u"uri").toString());
            open.append(std::move(incident));
        }
    }

    if (json.failed())
        return {std::nullopt, json.error()};
    return {std::move(open), {}};
}

QUrl GCPProvider::incidentPage(const QString &uri)
{
    const std::u16string_view feed = providerInfo(ProviderKind::Gcp).fixedFeeds.at(0);
    const QUrl site(QString::fromUtf16(feed.data(), qsizetype(feed.size())));
    const QString trimmed = uri.trimmed();
    if (trimmed.isEmpty())
        return {};
    return LenientJson::webAddress(site.resolved(QUrl(trimmed)).toString());
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
    const QString description = headline(*chosen, worst) + FeedScan::moreSuffix(open.size());
    return makeResult(service, worst, descriptionOrLabel(description, worst));
}

FeedStory::Story GCPProvider::story(const QList<Incident> &incidents)
{
    FeedStory::Story story;
    for (const Incident &open : incidents) {
        if (!isOpen(open))
            continue;
        ::Incident incident;
        incident.impact = severity(open);
        incident.title = headline(open, *incident.impact);
        incident.startedAt = open.begin;
        incident.updatedAt = open.updatedAt;
        incident.update = open.update;
        incident.url = open.page;
        story.incidents.append(std::move(incident));
    }
    return story;
}

QCoro::Task<ServiceStatusResult> GCPProvider::fetch(Service service)
{
    QCoro::Task<Decoded<QList<Incident>>> fetching = FeedFetch::fetchDecoded(
        m_session, feed(), [](const QByteArray &body) { return QtConcurrent::run(&GCPProvider::decode, body); });
    const Decoded<QList<Incident>> decoded = co_await fetching;
    if (!decoded.value)
        co_return failureResult(service, decoded.error);
    ServiceStatusResult result = evaluate(service, *decoded.value);
    FeedStory::tell(result, story(*decoded.value), QDateTime::currentDateTimeUtc());
    co_return result;
}
