#include "providers/instatus/instatusprovider.h"

#include "providers/common/feedfetch.h"
#include "providers/common/feedstory.h"
#include "providers/common/jsondecoder.h"
#include "providers/statuspage/statuspageprovider.h"

#include <cmath>

namespace {

QList<InstatusProvider::Entry> decodeEntries(JsonDecoder &json, const QJsonObject &top, const QString &key)
{
    QList<InstatusProvider::Entry> list;
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

std::optional<Indicator> impact(const QString &word)
{
    const QString upper = word.toUpper();
    if (upper == u"MAJOROUTAGE")
        return Indicator::Critical;
    if (upper == u"PARTIALOUTAGE")
        return Indicator::Major;
    if (upper == u"MINOROUTAGE" || upper == u"DEGRADEDPERFORMANCE")
        return Indicator::Minor;
    if (upper == u"OPERATIONAL")
        return Indicator::None;
    return std::nullopt;
}

QList<Incident> readIncidents(const QJsonObject &top)
{
    QList<Incident> incidents;
    for (const QJsonObject &object : FeedStory::objects(top, u"activeIncidents").value_or(QList<QJsonObject>())) {
        const QString status = FeedStory::text(object, u"status").toLower();
        if (status == u"resolved")
            continue;
        Incident incident;
        incident.title = FeedStory::text(object, u"name");
        incident.status = status;
        incident.impact = impact(FeedStory::text(object, u"impact"));
        incident.startedAt = FeedStory::instant(object, u"started");
        incident.url = FeedStory::link(object, u"url");
        incidents.append(std::move(incident));
    }
    return incidents;
}

// The window's length in minutes, given as a number or as a numeral in a string; absent when
// it is neither, negative, or so long that it is noise (and its seconds would overflow).
std::optional<qint64> durationMinutes(const QJsonValue &value)
{
    bool ok = value.isDouble();
    double minutes = value.toDouble();
    if (value.isString())
        minutes = value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(minutes) || minutes < 0 || minutes > 1e7)
        return std::nullopt;
    return qint64(std::llround(minutes));
}

QList<Maintenance> readMaintenances(const QJsonObject &top)
{
    QList<Maintenance> windows;
    for (const QJsonObject &object : FeedStory::objects(top, u"activeMaintenances").value_or(QList<QJsonObject>())) {
        const QString status = FeedStory::text(object, u"status").toUpper();
        if (status == u"COMPLETED")
            continue;
        Maintenance window;
        window.title = FeedStory::text(object, u"name");
        window.status = status == u"INPROGRESS" ? Maintenance::Status::InProgress : Maintenance::Status::Scheduled;
        window.startsAt = FeedStory::instant(object, u"start");
        const std::optional<qint64> minutes = durationMinutes(object.value(u"duration"));
        if (window.startsAt.isValid() && minutes)
            window.endsAt = window.startsAt.addSecs(*minutes * 60);
        window.url = FeedStory::link(object, u"url");
        windows.append(std::move(window));
    }
    return windows;
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

Decoded<InstatusProvider::Document> InstatusProvider::decode(const QByteArray &data)
{
    JsonDecoder json;
    const QJsonObject top = json.parseObject(data);

    Document document;
    const QJsonObject page = json.requiredObject(top, QStringLiteral("page"), {});
    document.pageStatus = json.optionalString(page, QStringLiteral("status"), QStringLiteral("page"));
    document.incidents = decodeEntries(json, top, QStringLiteral("activeIncidents"));
    document.maintenances = decodeEntries(json, top, QStringLiteral("activeMaintenances"));
    document.unresolved = readIncidents(top);
    document.windows = readMaintenances(top);

    if (json.failed())
        return {std::nullopt, json.error()};
    return {std::move(document), {}};
}

ServiceStatusResult InstatusProvider::evaluate(const Service &service, const Document &document, const QDateTime &now)
{
    const QString pageWord = document.pageStatus.value_or(QString()).toUpper();
    const bool pageMaintenance = pageWord.contains(u"MAINTEN");

    Indicator severity = Indicator::None;
    for (const Entry &incident : document.incidents)
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

    ServiceStatusResult result = makeResult(service, severity, descriptionOrLabel(title.value_or(QString()), severity),
                                            title, maintenance);
    result.incidents = document.unresolved;
    result.maintenances = FeedStory::currentWindows(document.windows, now);
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
