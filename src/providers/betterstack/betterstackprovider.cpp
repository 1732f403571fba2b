#include "providers/betterstack/betterstackprovider.h"

#include "providers/common/feedfetch.h"
#include "providers/common/feedstory.h"
#include "providers/common/jsondecoder.h"
#include "providers/statuspage/statuspageprovider.h"

#include <QHash>

namespace {

// JSON:API gives identifiers as strings; a number is taken as its numeral.
QString identifier(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble())
        return QString::number(value.toInteger());
    return {};
}

struct Update {
    QString message;
    QDateTime publishedAt;
};

std::optional<Indicator> impact(const QString &state)
{
    const Indicator indicator = BetterStackProvider::stateIndicator(state);
    return indicator == Indicator::Unknown ? std::nullopt : std::optional(indicator);
}

constexpr FeedStory::IncidentFields incidentFields{
    .title = u"title",
    .status = {},
    .impact = u"aggregate_state",
    .impactOf = &impact,
    .startedAt = u"starts_at",
    .components = u"affected_resources",
    .componentID = u"status_page_resource_id",
};

constexpr FeedStory::MaintenanceFields maintenanceFields{
    .title = u"title",
    .status = {},
    .startsAt = u"starts_at",
    .endsAt = u"ends_at",
    .components = u"affected_resources",
    .componentID = u"status_page_resource_id",
};

// Reports are over once their end has passed; an incident also once its state is operational
// again, while a maintenance report may read operational before it starts.
bool over(const BetterStackProvider::Report &report, const QDateTime &now)
{
    const QDateTime &endsAt = report.window.entry.endsAt;
    return endsAt.isValid() && endsAt <= now;
}

bool isMaintenance(const BetterStackProvider::Report &report)
{
    return report.type.compare(u"maintenance", Qt::CaseInsensitive) == 0;
}

} // namespace

BetterStackProvider::BetterStackProvider(HttpSession session)
    : m_session(session)
{
}

std::optional<QUrl> BetterStackProvider::indexEndpoint(const QUrl &url)
{
    return StatuspageProvider::statusEndpoint(url, QStringLiteral("/index.json"));
}

Indicator BetterStackProvider::stateIndicator(const QString &state)
{
    const QString word = state.toLower();
    if (word == u"operational")
        return Indicator::None;
    if (word == u"degraded" || word == u"maintenance")
        return Indicator::Minor;
    if (word == u"downtime")
        return Indicator::Major;
    return Indicator::Unknown;
}

Decoded<BetterStackProvider::Document> BetterStackProvider::decode(const QByteArray &data)
{
    JsonDecoder json;
    const QJsonObject top = json.parseObject(data);

    Document document;
    const QJsonObject page = json.requiredObject(top, QStringLiteral("data"), {});
    const std::optional<QString> type = json.optionalString(page, QStringLiteral("type"), QStringLiteral("data"));
    const QJsonObject attributes = json.requiredObject(page, QStringLiteral("attributes"), QStringLiteral("data"));
    document.aggregateState = json.requiredString(attributes, QStringLiteral("aggregate_state"),
                                                  QStringLiteral("data.attributes"));
    json.optionalArray(top, QStringLiteral("included"), {});
    if (!json.failed() && type && *type != u"status_page")
        json.fail(tr("Unexpected format"));
    if (json.failed())
        return {std::nullopt, json.error()};

    // Reports name their updates only by the update's back reference; the newest counts.
    QHash<QString, Update> newest;
    QList<std::pair<QString, Report>> reports;
    for (const QJsonObject &entry : LenientJson::objects(top, u"included").value_or(QList<QJsonObject>())) {
        const QString kind = LenientJson::text(entry, u"type");
        const QJsonObject fields = entry.value(u"attributes").toObject();
        if (kind == u"status_page_resource") {
            document.resources.append({identifier(entry.value(u"id")), LenientJson::text(fields, u"public_name"),
                                       LenientJson::text(fields, u"status"),
                                       identifier(fields.value(u"status_page_section_id"))});
        } else if (kind == u"status_page_section") {
            document.sections.append({identifier(entry.value(u"id")), LenientJson::text(fields, u"name")});
        } else if (kind == u"status_report") {
            reports.append(
                {identifier(entry.value(u"id")),
                 Report{LenientJson::text(fields, u"report_type"), LenientJson::text(fields, u"aggregate_state"),
                        FeedStory::readIncident(fields, incidentFields),
                        FeedStory::readMaintenance(fields, maintenanceFields)}});
        } else if (kind == u"status_update") {
            const QString report = identifier(fields.value(u"status_report_id"));
            const Update update{LenientJson::text(fields, u"message").trimmed(),
                                LenientJson::instant(fields, u"published_at")};
            const auto known = newest.constFind(report);
            if (!report.isEmpty() && (known == newest.cend() || known->publishedAt < update.publishedAt))
                newest.insert(report, update);
        }
    }
    for (auto &[id, report] : reports) {
        if (const auto update = newest.constFind(id); !id.isEmpty() && update != newest.cend()) {
            report.incident.entry.update = update->message;
            report.incident.entry.updatedAt = update->publishedAt;
        }
        document.reports.append(std::move(report));
    }
    return {std::move(document), {}};
}

ServiceStatusResult BetterStackProvider::evaluate(const Service &service, const Document &document,
                                                  const QDateTime &now)
{
    if (document.resources.isEmpty())
        return failureResult(service, tr("The page lists no monitors."));
    const QSet<QString> selected = ComponentSelection::selected(service);

    QList<Listed<Incident>> incidents;
    QList<Listed<Maintenance>> windows;
    for (const Report &report : document.reports) {
        if (over(report, now))
            continue;
        if (isMaintenance(report)) {
            Listed<Maintenance> window = report.window;
            const QDateTime &startsAt = window.entry.startsAt;
            window.entry.status = startsAt.isValid() && startsAt <= now ? Maintenance::Status::InProgress
                                                                        : Maintenance::Status::Scheduled;
            windows.append(std::move(window));
        } else if (report.state.compare(u"operational", Qt::CaseInsensitive) != 0) {
            incidents.append(report.incident);
        }
    }
    QList<Maintenance> current = FeedStory::currentWindows(ComponentSelection::relevant(windows, selected), now);

    if (!selected.isEmpty()) {
        QList<PartState> parts;
        for (const Resource &resource : document.resources) {
            parts.append({resource.id, resource.name, stateIndicator(resource.status),
                          resource.status.compare(u"maintenance", Qt::CaseInsensitive) == 0});
        }
        ServiceStatusResult result = ComponentSelection::evaluate(service, parts, selected,
                                                                  ComponentSelection::relevant(incidents, selected),
                                                                  ComponentSelection::AllDown::Critical);
        result.maintenances = std::move(current);
        return result;
    }
    ServiceStatusResult result = pageResult(service, document, ComponentSelection::relevant(incidents, {}), current);
    result.maintenances = std::move(current);
    return result;
}

ServiceStatusResult BetterStackProvider::pageResult(const Service &service, const Document &document,
                                                    QList<Incident> incidents, const QList<Maintenance> &windows)
{
    const QString state = document.aggregateState.toLower();
    Indicator indicator = stateIndicator(state);
    // A word Better Stack adds later is more likely trouble than good news.
    if (indicator == Indicator::Unknown)
        indicator = Indicator::Major;
    if (state == u"downtime") {
        // Resources that are not monitored neither count as down nor keep the page up.
        bool anyKnown = false;
        bool allDown = true;
        for (const Resource &resource : document.resources) {
            if (stateIndicator(resource.status) == Indicator::Unknown)
                continue;
            anyKnown = true;
            allDown = allDown && resource.status.toLower() == u"downtime";
        }
        if (anyKnown && allDown)
            indicator = Indicator::Critical;
    }

    // The first open report names the trouble; during maintenance, the window in progress.
    const bool maintenance = state == u"maintenance";
    std::optional<QString> title;
    if (!incidents.isEmpty() && !incidents.first().title.isEmpty()) {
        title = incidents.first().title;
    } else if (maintenance && incidents.isEmpty()) {
        for (const Maintenance &window : windows) {
            if (window.status == Maintenance::Status::InProgress && !window.title.isEmpty()) {
                title = window.title;
                break;
            }
        }
    }

    ServiceStatusResult result = makeResult(
        service, indicator, descriptionOrLabel(title.value_or(QString()), indicator), title, maintenance);
    result.incidents = std::move(incidents);
    return result;
}

QList<PageComponent> BetterStackProvider::components(const Document &document)
{
    // Sections and resources are numbered apart; the headings' ids are kept apart too.
    const auto headingID = [](const QString &section) -> QString { return QStringLiteral("section/") + section; };
    QSet<QString> sections;
    QList<PageComponent> list;
    for (const Section &section : document.sections) {
        if (section.id.isEmpty() || sections.contains(section.id))
            continue;
        sections.insert(section.id);
        list.append({headingID(section.id), section.name, {}, true, std::nullopt});
    }
    // A resource under a section the page does not list shows among the ungrouped ones.
    for (const Resource &resource : document.resources) {
        if (resource.id.isEmpty())
            continue;
        list.append(
            {resource.id, resource.name, resource.status, std::nullopt,
             sections.contains(resource.sectionID) ? std::optional(headingID(resource.sectionID)) : std::nullopt});
    }
    return list;
}

QCoro::Task<Decoded<QList<PageComponent>>> BetterStackProvider::fetchComponents(QUrl url, HttpSession session)
{
    return FeedFetch::fetchMapped(std::move(session), indexEndpoint(url), tr("Invalid URL"), &decode, &components);
}

QCoro::Task<ServiceStatusResult> BetterStackProvider::fetch(Service service)
{
    const std::optional<QUrl> endpoint = indexEndpoint(service.url);
    if (!endpoint)
        co_return failureResult(service, tr("Invalid URL"));

    QCoro::Task<Decoded<Document>> fetching = FeedFetch::fetchDecoded(m_session, *endpoint, &decode);
    const Decoded<Document> decoded = co_await fetching;
    if (!decoded.value)
        co_return failureResult(service, decoded.error);
    co_return evaluate(service, *decoded.value, QDateTime::currentDateTimeUtc());
}
