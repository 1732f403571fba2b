#include "providers/statuspage/statuspageprovider.h"

#include "core/webaddress.h"
#include "providers/common/feedfetch.h"
#include "providers/common/feedstory.h"

namespace {

using Story = StatuspageProvider::Story;

const QString kStatusPath = QStringLiteral("/api/v2/status.json");
const QString kSummaryPath = QStringLiteral("/api/v2/summary.json");
const QString kUnresolvedPath = QStringLiteral("/api/v2/incidents/unresolved.json");

std::optional<Indicator> impact(const QString &word)
{
    const QString lower = word.toLower();
    // "maintenance" is a state word, not an impact.
    if (lower == u"none" || lower == u"minor" || lower == u"major" || lower == u"critical")
        return indicatorFromStatuspageWord(lower);
    return std::nullopt;
}

constexpr FeedStory::IncidentFields incidentFields{
    .overWords = {u"resolved", u"postmortem"},
    .impact = u"impact",
    .impactOf = &impact,
    // started_at is the time the page gives for the trouble itself; older incidents lack it.
    .startedAt = u"started_at",
    .startedAtOtherwise = u"created_at",
    .updatedAt = u"updated_at",
    .updates = u"incident_updates",
    .update = u"body",
    .url = u"shortlink",
    .components = u"components",
};

constexpr FeedStory::MaintenanceFields maintenanceFields{
    .overWords = {u"completed"},
    // "verifying" is the work done and being checked: the window is still open.
    .inProgressWords = {u"in_progress", u"verifying"},
    .startsAt = u"scheduled_for",
    .endsAt = u"scheduled_until",
    .url = u"shortlink",
    .components = u"components",
};

Story readStory(const QJsonObject &top)
{
    return Story{FeedStory::readIncidents(top, u"incidents", incidentFields),
                 FeedStory::readMaintenances(top, u"scheduled_maintenances", maintenanceFields)};
}

// The entries that name one of the selected components; every entry when none is selected.
template<class Entry>
QList<Entry> relevant(const std::optional<QList<Listed<Entry>>> &listed, const QSet<QString> &selected)
{
    return listed ? ComponentSelection::relevant(*listed, selected) : QList<Entry>();
}

// The first incident's name, which the row and the notification show; an unnamed first
// incident names none rather than a later one.
std::optional<QString> firstTitle(const QList<Incident> &incidents)
{
    if (incidents.isEmpty() || incidents.first().title.isEmpty())
        return std::nullopt;
    return incidents.first().title;
}

// The story document at `url`; an empty story when it cannot be had.
QCoro::Task<Story> fetchStory(HttpSession session, QUrl url)
{
    QCoro::Task<HttpResponse> responseTask = session.get(url);
    const HttpResponse response = co_await responseTask;
    if (!response.isSuccess())
        co_return Story{};
    co_return StatuspageProvider::decodeStory(response.body);
}

} // namespace

StatuspageProvider::StatuspageProvider(HttpSession session, std::shared_ptr<MaintenanceCalendar> calendar)
    : m_session(session)
    , m_calendar(std::move(calendar))
{
}

std::unique_ptr<StatusProvider> StatuspageProvider::make(const HttpSession &session, const ProviderContext &context)
{
    return std::make_unique<StatuspageProvider>(session, context.memory<MaintenanceCalendar>(ProviderKind::Statuspage));
}

std::optional<QUrl> StatuspageProvider::statusEndpoint(const QUrl &url, const QString &path)
{
    if (!isWebAddress(url))
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

StatuspageProvider::Story StatuspageProvider::decodeStory(const QByteArray &data)
{
    const QJsonDocument parsed = QJsonDocument::fromJson(data);
    return readStory(parsed.object());
}

Decoded<StatuspageProvider::Document> StatuspageProvider::decode(const QByteArray &data)
{
    JsonDecoder json;
    const QJsonObject top = json.parseObject(data);

    Document document;
    const QJsonObject status = json.requiredObject(top, QStringLiteral("status"), {});
    document.indicator = json.requiredString(status, QStringLiteral("indicator"), QStringLiteral("status"));
    document.description = json.requiredString(status, QStringLiteral("description"), QStringLiteral("status"));

    document.story = readStory(top);

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
        return {std::nullopt, json.error()};
    return {std::move(document), {}};
}

ServiceStatusResult StatuspageProvider::evaluate(const Service &service, const Document &document, const QDateTime &now)
{
    const QSet<QString> selected = ComponentSelection::selected(service);
    ServiceStatusResult result;
    if (selected.isEmpty()) {
        const Indicator indicator = indicatorFromStatuspageWord(document.indicator);
        QList<Incident> incidents;
        if (indicator != Indicator::None)
            incidents = relevant(document.story.incidents, {});
        result = makeResult(service, indicator, descriptionOrLabel(document.description, indicator),
                            firstTitle(incidents), document.indicator.toLower() == u"maintenance");
        result.incidents = std::move(incidents);
    } else {
        QList<PartState> parts;
        for (const Component &component : document.components.value_or(QList<Component>())) {
            parts.append({component.id, component.name, componentIndicator(component.status),
                          component.status == u"under_maintenance"});
        }
        result = ComponentSelection::evaluate(service, parts, selected, relevant(document.story.incidents, selected));
    }
    result.maintenances = FeedStory::currentWindows(relevant(document.story.maintenances, selected), now);
    return result;
}

QCoro::Task<ServiceStatusResult> StatuspageProvider::fetch(Service service)
{
    // Copies, so that nothing after a suspension depends on the provider still being there.
    const HttpSession session = m_session;
    const std::shared_ptr<MaintenanceCalendar> calendar = m_calendar;
    const std::optional<QUrl> summary = statusEndpoint(service.url, kSummaryPath);
    if (!summary)
        co_return failureResult(service, tr("Invalid URL"));

    // A component check reads the summary, which carries the whole story. A page-wide check
    // reads the small status document, which carries none; when the page's calendar is due,
    // the summary instead: the state, the incidents and the calendar in one request.
    const bool pageWide = ComponentSelection::selected(service).isEmpty();
    const QString page = summary->toString();
    const bool calendarDue = pageWide && (!calendar || calendar->isDue(page));
    const QUrl status = *statusEndpoint(service.url, kStatusPath);
    const bool readSummary = !pageWide || calendarDue;

    QCoro::Task<HttpResponse> responseTask = session.get(readSummary ? *summary : status);
    const HttpResponse response = co_await responseTask;
    Decoded<Document> decoded = FeedFetch::decodeResponse(response, &decode);
    // The state does not wait for the calendar: a page-wide check whose summary was refused or
    // unreadable still reads the status document (the calendar counts as read, so it is not
    // asked again at once).
    bool calendarRead = pageWide && calendarDue;
    if (calendarRead && !decoded.value && !response.isTransportError()) {
        calendarRead = false;
        if (calendar)
            calendar->record(page, std::nullopt);
        QCoro::Task<Decoded<Document>> statusTask = FeedFetch::fetchDecoded(session, status, &decode);
        decoded = co_await statusTask;
    }
    if (!decoded.value)
        co_return failureResult(service, decoded.error);
    Document document = std::move(*decoded.value);

    if (pageWide) {
        const bool trouble = indicatorFromStatuspageWord(document.indicator) != Indicator::None;
        if (!calendarRead && trouble && !document.story.incidents) {
            QCoro::Task<Story> storyTask = fetchStory(session, *statusEndpoint(service.url, kUnresolvedPath));
            Story story = co_await storyTask;
            document.story.incidents = std::move(story.incidents);
        }
        if (calendar) {
            if (calendarRead) {
                const std::optional<QList<Listed<Maintenance>>> &read = document.story.maintenances;
                calendar->record(page, read ? std::optional(relevant(read, {})) : std::nullopt);
            }
            QList<Listed<Maintenance>> windows;
            for (Maintenance &window : calendar->windows(page))
                windows.append({std::move(window), std::nullopt});
            document.story.maintenances = std::move(windows);
        }
    }
    const QDateTime now = calendar ? calendar->now() : QDateTime::currentDateTimeUtc();
    co_return evaluate(service, document, now);
}

QCoro::Task<Decoded<QList<StatuspageProvider::Component>>> StatuspageProvider::fetchComponents(QUrl url,
                                                                                               HttpSession session)
{
    return FeedFetch::fetchMapped(std::move(session), statusEndpoint(url, kSummaryPath), tr("Invalid URL"), &decode,
                                  [](Document document) { return document.components.value_or(QList<Component>()); });
}
