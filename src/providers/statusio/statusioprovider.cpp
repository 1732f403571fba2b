#include "providers/statusio/statusioprovider.h"

#include "core/webaddress.h"
#include "net/networkenvironment.h"
#include "providers/common/feedfetch.h"
#include "providers/common/feedscan.h"
#include "providers/common/jsondecoder.h"
#include "providers/providertable.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

bool isQuote(QChar c)
{
    return c == u'"' || c == u'\'';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isHexDigit(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
}

bool isPlainIdentifier(const QString &text)
{
    const auto plain = [](QChar c) { return c.isDigit() || (c.unicode() < 128 && c.isLetter()); };
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), plain);
}

std::optional<int> code(const QJsonValue &value)
{
    const double number = value.toDouble(std::numeric_limits<double>::quiet_NaN());
    if (!std::isfinite(number) || std::trunc(number) != number || std::abs(number) > 1e6)
        return std::nullopt;
    return int(number);
}

// The stage of an incident message's state code.
QString stateWord(const QJsonValue &state)
{
    switch (code(state).value_or(0)) {
    case 100:
        return QStringLiteral("investigating");
    case 200:
        return QStringLiteral("identified");
    case 300:
        return QStringLiteral("monitoring");
    default:
        return {};
    }
}

// The message with the latest time; the last listed when none has a readable time.
QJsonObject latestMessage(const QJsonArray &messages)
{
    QJsonObject latest = messages.isEmpty() ? QJsonObject() : messages.last().toObject();
    QDateTime latestTime;
    for (const QJsonValue &value : messages) {
        const QJsonObject message = value.toObject();
        const QDateTime time = LenientJson::isoInstant(message.value(u"datetime"));
        if (time.isValid() && (!latestTime.isValid() || time >= latestTime)) {
            latest = message;
            latestTime = time;
        }
    }
    return latest;
}

QString postId(const QJsonObject &post)
{
    const QString id = post.value(u"_id").toString();
    return id.isEmpty() ? post.value(u"id").toString() : id;
}

FeedStory::Story readStory(const QJsonObject &result, const QUrl &page, const QString &pageId)
{
    FeedStory::Story story;
    const QJsonArray incidents = result.value(u"incidents").toArray();
    for (const QJsonValue &value : incidents) {
        if (!value.isObject())
            continue;
        const QJsonObject object = value.toObject();
        const QJsonObject latest = latestMessage(object.value(u"messages").toArray());
        Incident incident;
        incident.title = object.value(u"name").toString();
        incident.status = stateWord(latest.value(u"state"));
        // A message's status is the state it gave the affected components.
        const std::optional<int> status = code(latest.value(u"status"));
        const Indicator impact = status ? StatusIOProvider::indicator(status, std::nullopt) : Indicator::Unknown;
        if (impact != Indicator::Unknown)
            incident.impact = impact;
        incident.startedAt = LenientJson::isoInstant(object.value(u"datetime_open"));
        incident.updatedAt = LenientJson::isoInstant(latest.value(u"datetime"));
        incident.update = latest.value(u"details").toString().trimmed();
        incident.url = StatusIOProvider::postUrl(page, u"incident", pageId, postId(object));
        story.incidents.append(std::move(incident));
    }

    const QJsonObject maintenance = result.value(u"maintenance").toObject();
    const std::pair<QStringView, Maintenance::Status> lists[] = {{u"active", Maintenance::Status::InProgress},
                                                                 {u"upcoming", Maintenance::Status::Scheduled}};
    for (const auto &[key, status] : lists) {
        const QJsonArray windows = maintenance.value(key).toArray();
        for (const QJsonValue &value : windows) {
            if (!value.isObject())
                continue;
            const QJsonObject object = value.toObject();
            Maintenance window;
            window.title = object.value(u"name").toString();
            window.status = status;
            window.startsAt = LenientJson::isoInstant(object.value(u"datetime_planned_start"));
            window.endsAt = LenientJson::isoInstant(object.value(u"datetime_planned_end"));
            window.url = StatusIOProvider::postUrl(page, u"maintenance", pageId, postId(object));
            story.maintenances.append(std::move(window));
        }
    }
    return story;
}

} // namespace

std::unique_ptr<StatusProvider> StatusIOProvider::make(const HttpSession &session, const ProviderContext &context)
{
    return std::make_unique<StatusIOProvider>(session, context.memory<StatusIOPageIds>(ProviderKind::StatusIo));
}

StatusIOProvider::StatusIOProvider(HttpSession session, std::shared_ptr<StatusIOPageIds> pageIds, QUrl apiOrigin)
    : m_session(session)
    , m_pageIds(std::move(pageIds))
    , m_apiOrigin(std::move(apiOrigin))
{
}

QUrl StatusIOProvider::defaultApiOrigin()
{
    return fixedFeed(ProviderKind::StatusIo);
}

QUrl StatusIOProvider::apiUrl(const QUrl &apiOrigin, const QString &pageId)
{
    QUrl url = apiOrigin;
    url.setPath(QStringLiteral("/1.0/status/") + pageId);
    url.setQuery(QString());
    url.setFragment(QString());
    return NetworkEnvironment::fixedFeed(url);
}

std::optional<QString> StatusIOProvider::pageId(QStringView html)
{
    static constexpr QStringView marker = u"pageId";
    const qsizetype found = html.indexOf(marker);
    if (found < 0)
        return std::nullopt;
    qsizetype open = found + marker.size();
    while (open < html.size() && !isQuote(html.at(open)))
        ++open;
    if (open >= html.size())
        return std::nullopt;
    qsizetype close = open + 1;
    while (close < html.size() && !isQuote(html.at(close)))
        ++close;
    if (close >= html.size())
        return std::nullopt;

    qsizetype begin = open + 1;
    qsizetype end = close;
    while (begin < end && isBlank(html.at(begin)))
        ++begin;
    while (end > begin && isBlank(html.at(end - 1)))
        --end;
    const QStringView value = html.sliced(begin, end - begin);
    if (value.isEmpty() || !std::all_of(value.begin(), value.end(), isHexDigit))
        return std::nullopt;
    return value.toString();
}

Indicator StatusIOProvider::indicator(std::optional<int> code, const std::optional<QString> &status)
{
    if (code) {
        switch (*code) {
        case 100:
            return Indicator::None;
        case 200:
            return Indicator::Minor;
        case 300:
            return Indicator::Major;
        case 400:
        case 500:
        case 600: // a security event
            return Indicator::Critical;
        default:
            break;
        }
    }
    const QString text = status.value_or(QString()).toLower();
    if (text.isEmpty())
        return Indicator::Unknown;
    if (text.contains(u"operational"))
        return Indicator::None;
    if (text.contains(u"security") || text.contains(u"disruption") || text.contains(u"outage"))
        return Indicator::Critical;
    return Indicator::Minor;
}

QUrl StatusIOProvider::postUrl(const QUrl &page, QStringView kind, const QString &pageId, const QString &postId)
{
    if (!isWebAddress(page) || !isPlainIdentifier(pageId) || !isPlainIdentifier(postId))
        return {};
    QUrl url;
    url.setScheme(page.scheme());
    url.setHost(page.host());
    url.setPort(page.port());
    url.setPath(QStringLiteral("/pages/") + kind + u'/' + pageId + u'/' + postId);
    return url;
}

Decoded<StatusIOProvider::Document> StatusIOProvider::decode(const QByteArray &data, const QUrl &page,
                                                             const QString &pageId)
{
    JsonDecoder json;
    const QJsonObject top = json.parseObject(data);

    const std::optional<QJsonObject> result = json.optionalObject(top, QStringLiteral("result"), {});
    const std::optional<QJsonObject> overallObject = json.optionalObject(
        result.value_or(QJsonObject()), QStringLiteral("status_overall"), QStringLiteral("result"));
    const QString path = QStringLiteral("result.status_overall");
    const QJsonObject inner = overallObject.value_or(QJsonObject());
    Overall overall;
    overall.status = json.optionalString(inner, QStringLiteral("status"), path);
    const std::optional<double> code = json.optionalNumber(inner, QStringLiteral("status_code"), path);
    if (code) {
        // Checked before converting: a fractional or huge number is not a status code.
        if (std::trunc(*code) != *code || *code < std::numeric_limits<int>::min()
            || *code > std::numeric_limits<int>::max()) {
            json.fail(tr("The data couldn't be read: \"%1.status_code\" is not an integer.").arg(path));
        } else {
            overall.statusCode = int(*code);
        }
    }

    if (json.failed())
        return {std::nullopt, json.error()};
    if (!result || !overallObject)
        return {std::nullopt, tr("Unexpected format")};
    return {Document{overall, readStory(*result, page, pageId)}, {}};
}

bool StatusIOProvider::isMaintenance(std::optional<int> code, const std::optional<QString> &status)
{
    // 200 is the page's own word for planned maintenance; the other known codes grade trouble.
    if (code && indicator(code, std::nullopt) != Indicator::Unknown)
        return *code == 200;
    return indicator(std::nullopt, status) == Indicator::Minor
           && status.value_or(QString()).contains(u"maintenance", Qt::CaseInsensitive);
}

ServiceStatusResult StatusIOProvider::evaluate(const Service &service, const Overall &overall)
{
    const Indicator severity = indicator(overall.statusCode, overall.status);
    return makeResult(service, severity, descriptionOrLabel(overall.status.value_or(QString()), severity), std::nullopt,
                      isMaintenance(overall.statusCode, overall.status));
}

QCoro::Task<ServiceStatusResult> StatusIOProvider::fetch(Service service)
{
    // Both requests go through the same session; copies keep the second one independent
    // of the provider object across the first suspension.
    const HttpSession session = m_session;
    const std::shared_ptr<StatusIOPageIds> pageIds = m_pageIds;
    const QUrl apiOrigin = m_apiOrigin;
    const QUrl page = service.url;

    std::optional<QString> id = pageIds ? pageIds->find(page) : std::nullopt;
    Decoded<Document> decoded;
    if (id) {
        QCoro::Task<HttpResponse> rememberedTask = session.get(apiUrl(apiOrigin, *id));
        const HttpResponse response = co_await rememberedTask;
        decoded = FeedFetch::decodeResponse(response, [&](const QByteArray &body) { return decode(body, page, *id); });
        // The API refusing the identifier, or answering something that is not a status,
        // may mean the page moved to another one: look it up again. An API that is down
        // or silent says nothing about the identifier.
        const bool refused = response.statusCode >= 400 && response.statusCode <= 499;
        if (response.isSuccess() ? !decoded.value : refused) {
            pageIds->forget(page);
            id.reset();
        }
    }
    if (!id) {
        QCoro::Task<Decoded<QString>> lookup = FeedFetch::fetchDecoded(
            session, page, [](const QByteArray &body) -> Decoded<QString> {
                const std::optional<QString> html = FeedScan::strictUtf8(body);
                std::optional<QString> found = html ? pageId(*html) : std::nullopt;
                if (!found)
                    return {std::nullopt, tr("Couldn't find a Status.io page id")};
                return {std::move(found), {}};
            });
        const Decoded<QString> foundId = co_await lookup;
        if (!foundId.value)
            co_return failureResult(service, foundId.error);
        id = *foundId.value;
        const QUrl api = apiUrl(apiOrigin, *id);
        if (!isWebAddress(api))
            co_return failureResult(service, tr("Couldn't find a Status.io page id"));

        QCoro::Task<Decoded<Document>> reading = FeedFetch::fetchDecoded(
            session, api, [page, identifier = *id](const QByteArray &body) { return decode(body, page, identifier); });
        decoded = co_await reading;
        if (pageIds && decoded.value)
            pageIds->remember(page, *id);
    }
    if (!decoded.value)
        co_return failureResult(service, decoded.error);
    ServiceStatusResult result = evaluate(service, decoded.value->overall);
    FeedStory::tell(result, decoded.value->story, QDateTime::currentDateTimeUtc());
    co_return result;
}
