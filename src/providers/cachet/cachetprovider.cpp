#include "providers/cachet/cachetprovider.h"

#include "core/webaddress.h"
#include "providers/common/feedfetch.h"
#include "providers/common/feedstory.h"
#include "providers/common/jsondecoder.h"

#include <QUrlQuery>

#include <cmath>

namespace {

const QString kComponentsPath = QStringLiteral("/api/v1/components");
const QString kIncidentsPath = QStringLiteral("/api/v1/incidents");
const QString kGroupsPath = QStringLiteral("/api/v1/components/groups");

// The largest page the API hands out.
constexpr int kPerPage = 100;

// A whole number given as a JSON number or as a numeral in a string (older releases send
// the database's text); absent otherwise.
std::optional<int> wholeNumber(const QJsonValue &value)
{
    bool ok = value.isDouble();
    double number = value.toDouble();
    if (value.isString())
        number = value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number) || number != std::floor(number) || std::abs(number) > 1e9)
        return std::nullopt;
    return int(number);
}

QString identifier(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    if (const std::optional<int> number = wholeNumber(value))
        return QString::number(*number);
    return {};
}

// Cachet writes its times as "2026-11-30 10:02:00" in the server's zone, which the API does
// not tell; they are taken as UTC.
QDateTime instant(const QJsonObject &object, QStringView key)
{
    const QJsonValue value = object.value(key);
    if (!value.isString())
        return {};
    QString text = value.toString().trimmed();
    if (text.size() > 10 && text.at(10) == u' ')
        text[10] = u'T';
    return LenientJson::isoInstant(text);
}

// An incident's stage is a number (stage() below), not a word.
constexpr FeedStory::IncidentFields incidentFields{
    .status = {},
    .startedAt = u"occurred_at",
    .startedAtOtherwise = u"created_at",
    .updatedAt = u"updated_at",
    .update = u"message",
    .instant = &instant,
};

// Scheduled maintenance; Cachet gives no end.
constexpr FeedStory::MaintenanceFields maintenanceFields{
    .status = {},
    .startsAt = u"scheduled_at",
    .instant = &instant,
};

QString stage(int status)
{
    switch (status) {
    case 1:
        return QStringLiteral("investigating");
    case 2:
        return QStringLiteral("identified");
    case 3:
        return QStringLiteral("watching");
    default:
        return {};
    }
}

// The id of a record another one refers to (a group, a component); empty where Cachet
// writes 0 (or nothing) for none.
QString reference(const QJsonValue &value)
{
    const QString id = identifier(value);
    return id == u"0" ? QString() : id;
}

QString headingID(const QString &group)
{
    // Groups and components are numbered apart; the headings' ids are kept apart too.
    return QStringLiteral("group/") + group;
}

// `first` asking for page `number`.
QUrl onPage(const QUrl &first, int number)
{
    QUrlQuery query(first);
    query.removeAllQueryItems(QStringLiteral("page"));
    query.addQueryItem(QStringLiteral("page"), QString::number(number));
    QUrl url = first;
    url.setQuery(query);
    return url;
}

// A whole list of the API, read page after page from `first` (page 1), each page decoded by
// `decode` (the body to a Decoded<Page>) and added by `add` (Value &, Page &&). The list
// fails as its first failed page does, so that a list read in part never passes for the
// whole page; so does one whose next page leads back to a page already read or lies past
// CachetProvider::maxPages.
template<class Value, class Decode, class Add>
QCoro::Task<Decoded<Value>> readPages(HttpSession session, QUrl first, Decode decode, Add add)
{
    using Page = typename decltype(FeedFetch::DecodedBy<Decode>::value)::value_type;
    struct Paged {
        Page page;
        std::optional<int> next;
    };
    const auto decodePage = [decode](const QByteArray &body) -> Decoded<Paged> {
        Decoded<Page> decoded = decode(body);
        if (!decoded.value)
            return {std::nullopt, std::move(decoded.error)};
        return {Paged{std::move(*decoded.value), CachetProvider::nextPage(body)}, {}};
    };

    Value whole;
    QSet<int> read;
    int number = 1;
    while (true) {
        if (number < 1)
            co_return Decoded<Value>{std::nullopt, CachetProvider::tr("Unexpected format")};
        if (read.contains(number) || read.size() == CachetProvider::maxPages)
            co_return Decoded<Value>{
                std::nullopt,
                CachetProvider::tr("The list does not end within %1 pages.").arg(CachetProvider::maxPages)};
        read.insert(number);
        QCoro::Task<Decoded<Paged>> fetching = FeedFetch::fetchDecoded(
            session, number == 1 ? first : onPage(first, number), decodePage);
        Decoded<Paged> paged = co_await fetching;
        if (!paged.value)
            co_return Decoded<Value>{std::nullopt, std::move(paged.error)};
        add(whole, std::move(paged.value->page));
        if (!paged.value->next)
            co_return Decoded<Value>{std::move(whole), {}};
        number = *paged.value->next;
    }
}

// Every enabled component of the page, each listed once however the pages overlap.
QCoro::Task<Decoded<CachetProvider::Document>> fetchDocument(HttpSession session, QUrl first)
{
    auto add = [listed = QSet<QString>()](CachetProvider::Document &whole, CachetProvider::Document &&page) mutable {
        for (CachetProvider::Component &component : page.components) {
            if (!listed.contains(component.id)) {
                listed.insert(component.id);
                whole.components.append(std::move(component));
            }
        }
    };
    QCoro::Task<Decoded<CachetProvider::Document>> reading = readPages<CachetProvider::Document>(
        std::move(session), std::move(first), &CachetProvider::decode, std::move(add));
    co_return co_await reading;
}

// The component groups, all of them or none: an older release without the list, or a list
// that cannot be read whole, shows its components ungrouped rather than some groups missing.
QCoro::Task<QList<CachetProvider::Group>> fetchGroups(HttpSession session, QUrl first)
{
    const auto decode = [](const QByteArray &body) {
        return Decoded<QList<CachetProvider::Group>>{CachetProvider::decodeGroups(body), {}};
    };
    const auto add = [](QList<CachetProvider::Group> &whole, QList<CachetProvider::Group> &&page) { whole += page; };
    QCoro::Task<Decoded<QList<CachetProvider::Group>>> reading = readPages<QList<CachetProvider::Group>>(
        std::move(session), std::move(first), decode, add);
    const Decoded<QList<CachetProvider::Group>> groups = co_await reading;
    co_return groups.value.value_or(QList<CachetProvider::Group>());
}

// The incidents list after a short check, when there is one; an empty story when it cannot be had.
QCoro::Task<CachetProvider::Story> fetchStory(HttpSession session, QUrl url, QSet<QString> selected)
{
    QCoro::Task<HttpResponse> responseTask = session.get(url);
    const HttpResponse response = co_await responseTask;
    if (!response.isSuccess())
        co_return CachetProvider::Story{};
    co_return CachetProvider::decodeStory(response.body, QDateTime::currentDateTimeUtc(), selected);
}

} // namespace

CachetProvider::CachetProvider(HttpSession session)
    : m_session(session)
{
}

std::optional<QUrl> CachetProvider::apiEndpoint(const QUrl &url, const QString &path, int perPage)
{
    if (!isWebAddress(url))
        return std::nullopt;
    QUrl endpoint = url;
    endpoint.setPath(path);
    endpoint.setFragment(QString());
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("per_page"), QString::number(perPage));
    // Newest first, so that a long history does not push the open incidents off the page.
    if (path == kIncidentsPath) {
        query.addQueryItem(QStringLiteral("sort"), QStringLiteral("id"));
        query.addQueryItem(QStringLiteral("order"), QStringLiteral("desc"));
    }
    endpoint.setQuery(query);
    return endpoint;
}

Indicator CachetProvider::indicator(int status)
{
    switch (status) {
    case 1:
        return Indicator::None;
    case 2:
        return Indicator::Minor;
    case 3:
        return Indicator::Major;
    case 4:
        return Indicator::Critical;
    default:
        return Indicator::Unknown;
    }
}

Decoded<CachetProvider::Document> CachetProvider::decode(const QByteArray &data)
{
    JsonDecoder json;
    const QJsonObject top = json.parseObject(data);

    Document document;
    const QString path = QStringLiteral("data[]");
    for (const QJsonValue &value : json.requiredArray(top, QStringLiteral("data"), {})) {
        const QJsonObject object = json.object(value, path);
        Component component;
        component.id = identifier(object.value(u"id"));
        component.name = json.requiredString(object, QStringLiteral("name"), path);
        const std::optional<int> status = wholeNumber(object.value(u"status"));
        if (json.failed())
            break;
        if (component.id.isEmpty() || !status) {
            json.fail(tr("Unexpected format"));
            break;
        }
        component.status = *status;
        component.groupID = reference(object.value(u"group_id"));
        // A disabled component is not shown on the page.
        if (json.optionalBool(object, QStringLiteral("enabled"), path).value_or(true))
            document.components.append(std::move(component));
    }
    if (json.failed())
        return {std::nullopt, json.error()};
    return {std::move(document), {}};
}

CachetProvider::Story CachetProvider::decodeStory(const QByteArray &data, const QDateTime &now,
                                                  const QSet<QString> &selected)
{
    Story story;
    const QJsonObject top = QJsonDocument::fromJson(data).object();
    for (const QJsonObject &object : LenientJson::objects(top, u"data").value_or(QList<QJsonObject>())) {
        const std::optional<int> status = wholeNumber(object.value(u"status"));
        const std::optional<int> visible = wholeNumber(object.value(u"visible"));
        if (!status || object.value(u"visible").toBool(true) == false || (visible && *visible == 0))
            continue;
        // An incident names at most one component (0 for none).
        if (!selected.isEmpty() && !selected.contains(reference(object.value(u"component_id"))))
            continue;
        if (*status == 0) {
            // Only the windows still ahead can be placed, as Cachet gives no end.
            Maintenance window = FeedStory::readMaintenance(object, maintenanceFields).entry;
            if (window.startsAt.isValid() && window.startsAt > now)
                story.windows.append(std::move(window));
            continue;
        }
        if (*status < 1 || *status > 3)
            continue;
        Incident incident = FeedStory::readIncident(object, incidentFields).entry;
        incident.status = stage(*status);
        story.incidents.append(std::move(incident));
    }
    story.windows = FeedStory::currentWindows(std::move(story.windows), now);
    return story;
}

QList<CachetProvider::Group> CachetProvider::decodeGroups(const QByteArray &data)
{
    QList<Group> groups;
    const QJsonObject top = QJsonDocument::fromJson(data).object();
    for (const QJsonObject &object : LenientJson::objects(top, u"data").value_or(QList<QJsonObject>())) {
        Group group{reference(object.value(u"id")), LenientJson::text(object, u"name")};
        if (!group.id.isEmpty())
            groups.append(std::move(group));
    }
    return groups;
}

QList<PageComponent> CachetProvider::components(const Document &document, const QList<Group> &groups)
{
    QList<PageComponent> list;
    QSet<QString> known;
    for (const Group &group : groups) {
        if (!known.contains(group.id)) {
            known.insert(group.id);
            list.append({headingID(group.id), group.name, {}, true, std::nullopt});
        }
    }
    // Without the groups (an older release, or the list refused), every component shows
    // ungrouped rather than not at all.
    for (const Component &component : document.components) {
        list.append({component.id, component.name, QString::number(component.status), std::nullopt,
                     known.contains(component.groupID) ? std::optional(headingID(component.groupID)) : std::nullopt});
    }
    return list;
}

std::optional<int> CachetProvider::nextPage(const QByteArray &data)
{
    const QJsonObject pagination =
        QJsonDocument::fromJson(data).object().value(u"meta").toObject().value(u"pagination").toObject();
    const QJsonValue link = pagination.value(u"links").toObject().value(u"next_page");
    if (link.isString() && !link.toString().isEmpty()) {
        // Only the page number is taken from the link: the server may write its own idea of
        // its address (another scheme or host behind a proxy), which is not followed.
        bool ok = false;
        const int number = QUrlQuery(QUrl(link.toString())).queryItemValue(QStringLiteral("page")).toInt(&ok);
        return ok ? number : 0;
    }
    const std::optional<int> current = wholeNumber(pagination.value(u"current_page"));
    const std::optional<int> total = wholeNumber(pagination.value(u"total_pages"));
    if (current && total && *current < *total)
        return *current + 1;
    return std::nullopt;
}

QCoro::Task<Decoded<QList<PageComponent>>> CachetProvider::fetchComponents(QUrl url, HttpSession session)
{
    const std::optional<QUrl> endpoint = apiEndpoint(url, kComponentsPath, kPerPage);
    if (!endpoint)
        co_return Decoded<QList<PageComponent>>{std::nullopt, tr("Invalid URL")};
    QCoro::Task<Decoded<Document>> fetching = fetchDocument(session, *endpoint);
    const Decoded<Document> decoded = co_await fetching;
    if (!decoded.value)
        co_return Decoded<QList<PageComponent>>{std::nullopt, decoded.error};
    QCoro::Task<QList<Group>> grouping = fetchGroups(session, *apiEndpoint(url, kGroupsPath, kPerPage));
    const QList<Group> groups = co_await grouping;
    co_return Decoded<QList<PageComponent>>{components(*decoded.value, groups), {}};
}

ServiceStatusResult CachetProvider::evaluate(const Service &service, const Document &document, const Story &story)
{
    if (document.components.isEmpty())
        return failureResult(service, tr("The page lists no components."));
    if (const QSet<QString> selected = ComponentSelection::selected(service); !selected.isEmpty()) {
        QList<PartState> parts;
        for (const Component &component : document.components)
            parts.append({component.id, component.name, indicator(component.status)});
        ServiceStatusResult result = ComponentSelection::evaluate(service, parts, selected, story.incidents);
        result.maintenances = story.windows;
        return result;
    }
    const Component *worst = nullptr;
    for (const Component &component : document.components) {
        if (indicator(component.status) != Indicator::Unknown
            && (!worst || indicator(component.status) > indicator(worst->status)))
            worst = &component;
    }
    if (!worst)
        return failureResult(service, tr("None of the page's components has a known status."));

    const Indicator state = indicator(worst->status);
    std::optional<QString> title;
    if (!story.incidents.isEmpty())
        title = story.incidents.first().title;
    QString text = title.value_or(QString());
    if (text.isEmpty() && state != Indicator::None)
        text = worst->name + QStringLiteral(": ") + label(state);
    ServiceStatusResult result = makeResult(service, state, descriptionOrLabel(text, state), title);
    result.incidents = story.incidents;
    result.maintenances = story.windows;
    return result;
}

QCoro::Task<ServiceStatusResult> CachetProvider::fetch(Service service)
{
    const HttpSession session = m_session;
    const std::optional<QUrl> components = apiEndpoint(service.url, kComponentsPath, kPerPage);
    if (!components)
        co_return failureResult(service, tr("Invalid URL"));

    QCoro::Task<Decoded<Document>> fetching = fetchDocument(session, *components);
    const Decoded<Document> decoded = co_await fetching;
    if (!decoded.value)
        co_return failureResult(service, decoded.error);

    // The story is asked for only when there is trouble to tell about.
    Story story;
    const ServiceStatusResult plain = evaluate(service, *decoded.value, story);
    if (plain.indicator == Indicator::None || plain.indicator == Indicator::Unknown)
        co_return plain;
    QCoro::Task<Story> storyTask = fetchStory(session, *apiEndpoint(service.url, kIncidentsPath, 50),
                                              ComponentSelection::selected(service));
    story = co_await storyTask;
    co_return evaluate(service, *decoded.value, story);
}
