#include "providers/instatus/instatusprovider.h"

#include "providers/common/feedfetch.h"
#include "providers/common/feedstory.h"
#include "providers/common/jsondecoder.h"
#include "providers/statuspage/statuspageprovider.h"

#include <QJsonArray>

namespace {

constexpr FeedStory::IncidentFields incidentFields{
    .overWords = {u"resolved"},
    .impact = u"impact",
    .impactOf = &InstatusProvider::impact,
    .startedAt = u"started",
    .url = u"url",
};

constexpr FeedStory::MaintenanceFields maintenanceFields{
    .overWords = {u"completed"},
    .inProgressWords = {u"inprogress"},
    .startsAt = u"start",
    .minutes = u"duration",
    .url = u"url",
};

// The entries of the list under `key` that are not over, read once for the state and the story.
template<class Entry, class Fields>
QList<InstatusProvider::Active<Entry>> readActive(JsonDecoder &json, const QJsonObject &top, const QString &key,
                                                  const Fields &fields,
                                                  Listed<Entry> (*read)(const QJsonObject &, const Fields &))
{
    QList<InstatusProvider::Active<Entry>> list;
    const std::optional<QJsonArray> array = json.optionalArray(top, key, {});
    if (!array)
        return list;
    const QString path = key + QStringLiteral("[]");
    for (const QJsonValue &value : *array) {
        // The name and the impact decide the state: of the wrong type, they fail the document.
        const QJsonObject object = json.object(value, path);
        const std::optional<QString> name = json.optionalString(object, QStringLiteral("name"), path);
        json.optionalString(object, QStringLiteral("impact"), path);
        if (!FeedStory::isOver(object, fields))
            list.append({read(object, fields).entry, name.has_value()});
    }
    return list;
}

template<class Entry>
QList<Entry> entries(const QList<InstatusProvider::Active<Entry>> &active)
{
    QList<Entry> list;
    list.reserve(active.size());
    for (const InstatusProvider::Active<Entry> &one : active)
        list.append(one.entry);
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

std::optional<Indicator> InstatusProvider::impact(const QString &word)
{
    const QString upper = word.toUpper();
    if (upper.isEmpty())
        return std::nullopt;
    if (upper == u"MAJOROUTAGE")
        return Indicator::Critical;
    if (upper == u"PARTIALOUTAGE")
        return Indicator::Major;
    if (upper == u"MINOROUTAGE" || upper == u"DEGRADEDPERFORMANCE")
        return Indicator::Minor;
    if (upper == u"OPERATIONAL")
        return Indicator::None;
    // A word Instatus adds later is more likely trouble than good news; the story says so too.
    return Indicator::Major;
}

Decoded<InstatusProvider::Document> InstatusProvider::decode(const QByteArray &data)
{
    JsonDecoder json;
    const QJsonObject top = json.parseObject(data);

    Document document;
    const QJsonObject page = json.requiredObject(top, QStringLiteral("page"), {});
    document.pageStatus = json.optionalString(page, QStringLiteral("status"), QStringLiteral("page"));
    document.incidents = readActive<Incident>(json, top, QStringLiteral("activeIncidents"), incidentFields,
                                              &FeedStory::readIncident);
    document.maintenances = readActive<Maintenance>(json, top, QStringLiteral("activeMaintenances"), maintenanceFields,
                                                    &FeedStory::readMaintenance);

    if (json.failed())
        return {std::nullopt, json.error()};
    return {std::move(document), {}};
}

ServiceStatusResult InstatusProvider::evaluate(const Service &service, const Document &document, const QDateTime &now)
{
    const QString pageWord = document.pageStatus.value_or(QString()).toUpper();
    const bool pageMaintenance = pageWord.contains(u"MAINTEN");

    Indicator severity = Indicator::None;
    for (const Active<Incident> &incident : document.incidents)
        severity = std::max(severity, incident.entry.impact.value_or(Indicator::None));
    if (!document.maintenances.isEmpty() && severity < Indicator::Major)
        severity = Indicator::Minor;
    if (severity == Indicator::None && !pageWord.isEmpty() && pageWord != u"UP")
        severity = pageMaintenance ? Indicator::Minor : Indicator::Major;

    // Only the first entry of each list is named, an unnamed first incident included.
    std::optional<QString> title;
    if (!document.incidents.isEmpty() && document.incidents.first().named)
        title = document.incidents.first().entry.title;
    else if (!document.maintenances.isEmpty() && document.maintenances.first().named)
        title = document.maintenances.first().entry.title;

    bool maintenance = pageMaintenance;
    if (!document.incidents.isEmpty())
        maintenance = false;
    else if (!document.maintenances.isEmpty())
        maintenance = true;

    ServiceStatusResult result = makeResult(service, severity, descriptionOrLabel(title.value_or(QString()), severity),
                                            title, maintenance);
    result.incidents = entries(document.incidents);
    result.maintenances = FeedStory::currentWindows(entries(document.maintenances), now);
    return result;
}

QCoro::Task<ServiceStatusResult> InstatusProvider::fetch(Service service)
{
    const std::optional<QUrl> endpoint = summaryEndpoint(service.url);
    if (!endpoint)
        co_return failureResult(service, tr("Invalid URL"));

    QCoro::Task<Decoded<Document>> fetching = FeedFetch::fetchDecoded(m_session, *endpoint, &decode);
    const Decoded<Document> decoded = co_await fetching;
    if (!decoded.value)
        co_return failureResult(service, decoded.error);
    co_return evaluate(service, *decoded.value, QDateTime::currentDateTimeUtc());
}
