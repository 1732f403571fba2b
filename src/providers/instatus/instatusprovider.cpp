#include "providers/instatus/instatusprovider.h"

#include "providers/common/feedfetch.h"
#include "providers/common/feedstory.h"
#include "providers/common/jsondecoder.h"
#include "providers/statuspage/statuspageprovider.h"

#include <QJsonArray>

namespace {

const QString kComponentsPath = QStringLiteral("/v2/components.json");

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

// One entry of the component list; absent, failing the list, without a string id and name.
std::optional<PageComponent> readComponent(JsonDecoder &json, const QJsonValue &value, const QString &path)
{
    const QJsonObject object = json.object(value, path);
    PageComponent component;
    component.id = json.requiredString(object, QStringLiteral("id"), path);
    component.name = json.requiredString(object, QStringLiteral("name"), path);
    component.status = json.optionalString(object, QStringLiteral("status"), path).value_or(QString());
    if (json.failed())
        return std::nullopt;
    return component;
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

Indicator InstatusProvider::componentIndicator(const QString &word)
{
    const QString upper = word.toUpper();
    if (upper == u"OPERATIONAL")
        return Indicator::None;
    if (upper == u"DEGRADEDPERFORMANCE" || upper == u"MINOROUTAGE" || upper == u"UNDERMAINTENANCE")
        return Indicator::Minor;
    if (upper == u"PARTIALOUTAGE")
        return Indicator::Major;
    if (upper == u"MAJOROUTAGE")
        return Indicator::Critical;
    return Indicator::Unknown;
}

Decoded<QList<PageComponent>> InstatusProvider::decodeComponents(const QByteArray &data)
{
    JsonDecoder json;
    const std::optional<QJsonDocument> parsed = json.parse(data);
    // The list itself, or an object holding it under "components".
    QJsonArray entries;
    if (parsed && parsed->isArray())
        entries = parsed->array();
    else if (parsed)
        entries = json.requiredArray(parsed->object(), QStringLiteral("components"), {});

    QList<PageComponent> list;
    QSet<QString> headings;
    QSet<QString> listed;
    const QString path = QStringLiteral("components[]");
    for (const QJsonValue &value : std::as_const(entries)) {
        std::optional<PageComponent> component = readComponent(json, value, path);
        const std::optional<QJsonArray> children = json.optionalArray(value.toObject(), QStringLiteral("children"),
                                                                      path);
        if (!component)
            break;
        // A group with its members nested under it; deeper nesting is not shown on the page.
        if (children && !children->isEmpty()) {
            // Listed already (named as a group before), it is made a heading below.
            if (!listed.contains(component->id)) {
                component->group = true;
                headings.insert(component->id);
                listed.insert(component->id);
                list.append(*component);
            }
            const QString childPath = path + QStringLiteral(".children[]");
            for (const QJsonValue &child : *children) {
                std::optional<PageComponent> member = readComponent(json, child, childPath);
                if (!member)
                    break;
                member->groupID = component->id;
                listed.insert(member->id);
                list.append(std::move(*member));
            }
            continue;
        }
        // Or a member that names its group, by id or as an object with the group's name.
        const QJsonValue group = value.toObject().value(u"group");
        QString groupID = group.isString() ? group.toString() : group.toObject().value(u"id").toString();
        if (group.isObject() && !groupID.isEmpty() && !headings.contains(groupID) && !listed.contains(groupID)) {
            headings.insert(groupID);
            listed.insert(groupID);
            list.append({groupID, group.toObject().value(u"name").toString(), {}, true, std::nullopt});
        }
        if (!groupID.isEmpty() && groupID != component->id)
            component->groupID = groupID;
        if (headings.contains(component->id))
            continue; // the group itself, already listed as the heading
        listed.insert(component->id);
        list.append(std::move(*component));
    }
    if (json.failed())
        return {std::nullopt, json.error()};

    // An entry that others name as their group is a heading; a group the list does not
    // hold leaves its members ungrouped rather than unseen.
    QSet<QString> named;
    for (const PageComponent &component : std::as_const(list)) {
        if (component.groupID)
            named.insert(*component.groupID);
    }
    for (PageComponent &component : list) {
        if (named.contains(component.id) && !component.groupID) {
            component.group = true;
            headings.insert(component.id);
        }
    }
    for (PageComponent &component : list) {
        if (component.groupID && !headings.contains(*component.groupID))
            component.groupID = std::nullopt;
    }
    return {std::move(list), {}};
}

ServiceStatusResult InstatusProvider::evaluateComponents(const Service &service, const QList<PageComponent> &components)
{
    QList<PartState> parts;
    for (const PageComponent &component : components) {
        if (!component.group.value_or(false))
            parts.append({component.id, component.name, componentIndicator(component.status),
                          component.status.toUpper() == u"UNDERMAINTENANCE"});
    }
    // The summary's incidents name no components, so a narrowed check tells none of them.
    return ComponentSelection::evaluate(service, parts, ComponentSelection::selected(service), {});
}

QCoro::Task<Decoded<QList<PageComponent>>> InstatusProvider::fetchComponents(QUrl url, HttpSession session)
{
    const std::optional<QUrl> endpoint = StatuspageProvider::statusEndpoint(url, kComponentsPath);
    if (!endpoint)
        co_return Decoded<QList<PageComponent>>{std::nullopt, tr("Invalid URL")};
    QCoro::Task<Decoded<QList<PageComponent>>> fetching = FeedFetch::fetchDecoded(session, *endpoint,
                                                                                  &decodeComponents);
    co_return co_await fetching;
}

QCoro::Task<ServiceStatusResult> InstatusProvider::fetch(Service service)
{
    if (!ComponentSelection::selected(service).isEmpty()) {
        QCoro::Task<Decoded<QList<PageComponent>>> listing = fetchComponents(service.url, m_session);
        const Decoded<QList<PageComponent>> components = co_await listing;
        if (!components.value)
            co_return failureResult(service, components.error);
        co_return evaluateComponents(service, *components.value);
    }

    const std::optional<QUrl> endpoint = summaryEndpoint(service.url);
    if (!endpoint)
        co_return failureResult(service, tr("Invalid URL"));

    QCoro::Task<Decoded<Document>> fetching = FeedFetch::fetchDecoded(m_session, *endpoint, &decode);
    const Decoded<Document> decoded = co_await fetching;
    if (!decoded.value)
        co_return failureResult(service, decoded.error);
    co_return evaluate(service, *decoded.value, QDateTime::currentDateTimeUtc());
}
