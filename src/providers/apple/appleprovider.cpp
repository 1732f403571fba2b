#include "providers/apple/appleprovider.h"

#include "providers/common/feedfetch.h"
#include "providers/common/feedscan.h"
#include "providers/common/jsondecoder.h"
#include "providers/providertable.h"

namespace {

const QString kDeveloperHost = QStringLiteral("developer.apple.com");

} // namespace

AppleProvider::AppleProvider(HttpSession session)
    : m_session(session)
{
}

QUrl AppleProvider::consumerFeed()
{
    return fixedFeed(ProviderKind::Apple, 0);
}

QUrl AppleProvider::developerFeed()
{
    return fixedFeed(ProviderKind::Apple, 1);
}

QUrl AppleProvider::feed(const QUrl &serviceUrl)
{
    return serviceUrl.host(QUrl::FullyEncoded).contains(kDeveloperHost) ? developerFeed() : consumerFeed();
}

std::optional<QByteArray> AppleProvider::extractJSON(const QByteArray &body)
{
    if (!FeedScan::strictUtf8(body))
        return std::nullopt;
    // Both braces are ASCII, so searching the bytes finds the same places as the text.
    const qsizetype first = body.indexOf('{');
    const qsizetype last = body.lastIndexOf('}');
    if (first < 0 || last < first)
        return std::nullopt;
    return body.sliced(first, last - first + 1);
}

Decoded<QList<AppleProvider::ServiceEntry>> AppleProvider::decode(const QByteArray &json)
{
    JsonDecoder decoder;
    const std::optional<QJsonDocument> parsed = decoder.parse(json);
    const QJsonObject top = decoder.object(parsed ? parsed->object() : QJsonValue(), QString());
    if (parsed && !parsed->isObject())
        decoder.fail(tr("The data couldn't be read: the document is not an object."));

    QList<ServiceEntry> services;
    const QJsonArray entries = decoder.requiredArray(top, QStringLiteral("services"), {});
    const QString entryPath = QStringLiteral("services[]");
    const QString eventPath = QStringLiteral("services[].events[]");
    for (const QJsonValue &value : entries) {
        const QJsonObject object = decoder.object(value, entryPath);
        ServiceEntry entry;
        entry.serviceName = decoder.requiredString(object, QStringLiteral("serviceName"), entryPath);
        const QJsonArray events = decoder.requiredArray(object, QStringLiteral("events"), entryPath);
        for (const QJsonValue &eventValue : events) {
            const QJsonObject eventObject = decoder.object(eventValue, eventPath);
            Event event{decoder.optionalString(eventObject, QStringLiteral("messageType"), eventPath),
                        decoder.optionalString(eventObject, QStringLiteral("eventStatus"), eventPath),
                        decoder.optionalString(eventObject, QStringLiteral("statusType"), eventPath)};
            event.message = eventObject.value(u"message").toString().trimmed();
            event.startsAt = LenientJson::epochInstant(eventObject.value(u"epochStartDate"),
                                                       LenientJson::EpochUnit::Milliseconds);
            event.endsAt = LenientJson::epochInstant(eventObject.value(u"epochEndDate"),
                                                     LenientJson::EpochUnit::Milliseconds);
            entry.events.append(std::move(event));
        }
        if (decoder.failed())
            break;
        services.append(std::move(entry));
    }

    if (decoder.failed())
        return {std::nullopt, decoder.error()};
    return {std::move(services), {}};
}

QString AppleProvider::state(const Event &event)
{
    if (event.eventStatus)
        return event.eventStatus->toLower();
    if (event.messageType)
        return event.messageType->toLower();
    if (event.statusType)
        return event.statusType->toLower();
    return {};
}

bool AppleProvider::isOpen(const Event &event)
{
    const QString text = state(event);
    return !text.isEmpty() && !text.contains(u"resolved") && !text.contains(u"completed");
}

bool AppleProvider::isMaintenance(const Event &event)
{
    const auto says = [](const std::optional<QString> &word) {
        return word && word->contains(u"maintenance", Qt::CaseInsensitive);
    };
    return says(event.statusType) || says(event.messageType);
}

Indicator AppleProvider::severity(const Event &event)
{
    if (!isOpen(event))
        return Indicator::None;
    return state(event).contains(u"outage") ? Indicator::Major : Indicator::Minor;
}

ServiceStatusResult AppleProvider::evaluate(const Service &service, const QList<ServiceEntry> &services)
{
    QStringList affected;
    Indicator worst = Indicator::None;
    for (const ServiceEntry &entry : services) {
        bool open = false;
        for (const Event &event : entry.events) {
            open = open || isOpen(event);
            worst = std::max(worst, severity(event));
        }
        if (open)
            affected.append(entry.serviceName);
    }
    if (affected.isEmpty())
        return makeResult(service, Indicator::None, label(Indicator::None));

    QString description = affected.at(0);
    if (affected.size() >= 2)
        description += QStringLiteral(", ") + affected.at(1);
    // the first two named, the others counted
    description += FeedScan::moreSuffix(affected.size() - 1);
    return makeResult(service, worst, descriptionOrLabel(description, worst));
}

FeedStory::Story AppleProvider::story(const QList<ServiceEntry> &services)
{
    FeedStory::Story story;
    for (const ServiceEntry &entry : services) {
        for (const Event &event : entry.events) {
            if (!isOpen(event))
                continue;
            const QString stage = event.eventStatus.value_or(QString()).toLower();
            if (isMaintenance(event)) {
                Maintenance window;
                window.title = entry.serviceName;
                window.status = stage == u"upcoming" || stage == u"scheduled" ? Maintenance::Status::Scheduled
                                                                              : Maintenance::Status::InProgress;
                window.startsAt = event.startsAt;
                window.endsAt = event.endsAt;
                story.maintenances.append(std::move(window));
                continue;
            }
            Incident incident;
            incident.title = entry.serviceName;
            incident.status = stage;
            // The event's type is the feed's own grade ("Outage", "Issue"); the row's grade
            // reads the stage first and so never sees it.
            if (event.statusType)
                incident.impact = event.statusType->contains(u"outage", Qt::CaseInsensitive) ? Indicator::Major
                                                                                             : Indicator::Minor;
            incident.startedAt = event.startsAt;
            incident.update = event.message;
            story.incidents.append(std::move(incident));
        }
    }
    return story;
}

QCoro::Task<ServiceStatusResult> AppleProvider::fetch(Service service)
{
    QCoro::Task<Decoded<QList<ServiceEntry>>> fetching = FeedFetch::fetchDecoded(
        m_session, feed(service.url), [](const QByteArray &body) -> Decoded<QList<ServiceEntry>> {
            // Asked of the script as received: a page's own scripts may hold an object to cut out.
            JsonDecoder screen;
            if (!screen.mayBeJson(body))
                return {std::nullopt, screen.error()};
            const std::optional<QByteArray> json = extractJSON(body);
            if (!json)
                return {std::nullopt, tr("Unexpected format")};
            return decode(*json);
        });
    const Decoded<QList<ServiceEntry>> decoded = co_await fetching;
    if (!decoded.value)
        co_return failureResult(service, decoded.error);
    ServiceStatusResult result = evaluate(service, *decoded.value);
    FeedStory::tell(result, story(*decoded.value), QDateTime::currentDateTimeUtc());
    co_return result;
}
