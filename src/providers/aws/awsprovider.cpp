#include "providers/aws/awsprovider.h"

#include "core/settings.h"
#include "providers/aws/awsregions.h"
#include "providers/common/feedfetch.h"
#include "providers/common/feedscan.h"
#include "providers/common/jsondecoder.h"
#include "providers/providertable.h"

#include <chrono>

namespace {

bool isActive(const AWSProvider::Event &event)
{
    return event.status && (*event.status == u"1" || *event.status == u"2" || *event.status == u"3");
}

// The active events of the selected regions; `regions` empty: every region counts.
QList<const AWSProvider::Event *> counted(const QList<AWSProvider::Event> &events, const QSet<QString> &regions)
{
    QList<const AWSProvider::Event *> kept;
    for (const AWSProvider::Event &event : events) {
        if (!isActive(event))
            continue;
        // Events of global services carry no region and always count.
        const QString code = AWSProvider::regionCode(event);
        if (regions.isEmpty() || code.isEmpty() || regions.contains(code))
            kept.append(&event);
    }
    return kept;
}

// The log entry with the latest time; the last listed when none has a readable time.
void readLatestEntry(const QJsonArray &log, AWSProvider::Event &event)
{
    QJsonObject latest = log.isEmpty() ? QJsonObject() : log.last().toObject();
    QDateTime latestAt;
    for (const QJsonValue &value : log) {
        const QJsonObject entry = value.toObject();
        const QDateTime time = LenientJson::epochInstant(entry.value(u"timestamp"), LenientJson::EpochUnit::Seconds);
        if (time.isValid() && (!latestAt.isValid() || time >= latestAt)) {
            latest = entry;
            latestAt = time;
        }
    }
    event.latestMessage = latest.value(u"message").toString().trimmed();
    event.latestAt = latestAt;
}

} // namespace

std::unique_ptr<StatusProvider> AWSProvider::make(const HttpSession &session, const ProviderContext &context)
{
    const Settings *settings = context.settings();
    return std::make_unique<AWSProvider>(session, settings ? settings->awsRegions() : QSet<QString>());
}

AWSProvider::AWSProvider(HttpSession session, QSet<QString> regions)
    : m_session(session)
    , m_regions(std::move(regions))
{
}

QUrl AWSProvider::feed()
{
    return fixedFeed(ProviderKind::Aws);
}

std::optional<QString> AWSProvider::decodeUtf16(const QByteArray &body)
{
    if (body.size() % 2 != 0)
        return std::nullopt;
    const auto *bytes = reinterpret_cast<const uchar *>(body.constData());
    qsizetype offset = 0;
    bool bigEndian = true;
    if (body.size() >= 2) {
        if (bytes[0] == 0xFE && bytes[1] == 0xFF) {
            offset = 2;
        } else if (bytes[0] == 0xFF && bytes[1] == 0xFE) {
            offset = 2;
            bigEndian = false;
        }
    }
    QString text;
    text.resize((body.size() - offset) / 2);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = offset; i < body.size(); i += 2)
        *out++ = bigEndian ? char16_t((bytes[i] << 8) | bytes[i + 1]) : char16_t((bytes[i + 1] << 8) | bytes[i]);

    // Unpaired surrogates would not survive the conversion to UTF-8.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate()) {
            if (i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate())
                return std::nullopt;
            ++i;
        } else if (c.isLowSurrogate()) {
            return std::nullopt;
        }
    }
    return text;
}

Decoded<QList<AWSProvider::Event>> AWSProvider::decode(const QByteArray &body)
{
    JsonDecoder json;
    // Asked before the UTF-16 decoding, which would make any page that is not UTF-16 unreadable.
    if (!json.mayBeJson(body))
        return {std::nullopt, json.error()};
    const std::optional<QString> text = decodeUtf16(body);
    if (!text)
        return {std::nullopt, tr("Decode error")};

    const std::optional<QJsonDocument> parsed = json.parse(text->toUtf8());
    if (parsed && !parsed->isArray())
        json.fail(tr("The data couldn't be read: the document is not an array."));
    QList<Event> events;
    if (!json.failed()) {
        const QJsonArray array = parsed->array();
        events.reserve(array.size());
        const QString path = QStringLiteral("[]");
        for (const QJsonValue &value : array) {
            const QJsonObject object = json.object(value, path);
            Event event{json.optionalString(object, QStringLiteral("status"), path),
                        json.optionalString(object, QStringLiteral("summary"), path),
                        json.optionalString(object, QStringLiteral("region_name"), path),
                        json.optionalString(object, QStringLiteral("arn"), path)};
            if (json.failed())
                break;
            event.serviceName = object.value(u"service_name").toString();
            event.startedAt = LenientJson::epochInstant(object.value(u"date"), LenientJson::EpochUnit::Seconds);
            readLatestEntry(object.value(u"event_log").toArray(), event);
            events.append(std::move(event));
        }
    }
    if (json.failed())
        return {std::nullopt, json.error()};
    return {std::move(events), {}};
}

QString AWSProvider::regionCode(const Event &event)
{
    if (!event.arn)
        return {};
    const QStringList pieces = event.arn->split(u':', Qt::KeepEmptyParts);
    return pieces.size() >= 4 ? pieces.at(3) : QString();
}

Indicator AWSProvider::severity(const Event &event)
{
    if (!event.status)
        return Indicator::None;
    if (*event.status == u"1")
        return Indicator::Minor;
    if (*event.status == u"2")
        return Indicator::Major;
    if (*event.status == u"3")
        return Indicator::Critical;
    return Indicator::None;
}

ServiceStatusResult AWSProvider::evaluate(const Service &service, const QList<Event> &events,
                                          const QSet<QString> &regions)
{
    const QList<const Event *> counting = counted(events, regions);
    if (counting.isEmpty())
        return makeResult(service, Indicator::None, label(Indicator::None));

    const Event *chosen = counting.first();
    for (const Event *event : counting) {
        if (severity(*event) > severity(*chosen))
            chosen = event;
    }
    const Indicator worst = severity(*chosen);
    QString description = chosen->summary.value_or(label(worst));
    if (chosen->regionName)
        description += QStringLiteral(" \u2014 ") + *chosen->regionName;
    description += FeedScan::moreSuffix(counting.size());
    return makeResult(service, worst, descriptionOrLabel(description, worst));
}

FeedStory::Story AWSProvider::story(const QList<Event> &events, const QSet<QString> &regions)
{
    FeedStory::Story story;
    const QList<const Event *> counting = counted(events, regions);
    for (const Event *event : counting) {
        Incident incident;
        // Titled as the row names it: a summary means little without its region.
        incident.title = event->summary.value_or(event->serviceName);
        if (event->regionName)
            incident.title += QStringLiteral(" \u2014 ") + *event->regionName;
        incident.impact = severity(*event);
        incident.startedAt = event->startedAt;
        incident.updatedAt = event->latestAt;
        incident.update = event->latestMessage;
        story.incidents.append(std::move(incident));
    }
    return story;
}

QCoro::Task<ServiceStatusResult> AWSProvider::fetch(Service service)
{
    const QSet<QString> regions = m_regions;
    const HttpHeaders headers{{QByteArrayLiteral("Accept"), QByteArrayLiteral("application/json")}};
    QCoro::Task<Decoded<QList<Event>>> fetching = FeedFetch::fetchDecoded(m_session, feed(), &decode, headers);
    const Decoded<QList<Event>> decoded = co_await fetching;
    if (!decoded.value)
        co_return failureResult(service, decoded.error);
    ServiceStatusResult result = evaluate(service, *decoded.value, regions);
    FeedStory::tell(result, story(*decoded.value, regions), QDateTime::currentDateTimeUtc());
    co_return result;
}
