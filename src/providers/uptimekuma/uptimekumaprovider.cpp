#include "providers/uptimekuma/uptimekumaprovider.h"

#include "core/webaddress.h"
#include "providers/common/feedfetch.h"
#include "providers/common/feedstory.h"
#include "providers/common/jsondecoder.h"

#include <algorithm>
#include <array>

namespace {

// Uptime Kuma writes its times as SQL date-times in UTC ("2026-11-30 10:02:00"), and
// sometimes as ISO text.
QDateTime kumaInstant(const QJsonObject &object, QStringView key)
{
    QString text = LenientJson::text(object, key).trimmed();
    if (text.size() > 10 && text.at(10) == u' ')
        text[10] = u'T';
    return LenientJson::isoInstant(text);
}

// How bad the incident's colour says it is: the page's own "danger" and "warning" banners;
// the neutral ones (info, primary, light, dark) say nothing.
std::optional<Indicator> styleImpact(const QString &style)
{
    if (style == u"danger")
        return Indicator::Major;
    if (style == u"warning")
        return Indicator::Minor;
    return std::nullopt;
}

std::optional<Incident> readIncident(const QJsonObject &top)
{
    // One pinned incident; later versions list several.
    QJsonObject object = top.value(u"incident").toObject();
    if (object.isEmpty())
        object = LenientJson::objects(top, u"incidents").value_or(QList<QJsonObject>()).value(0);
    Incident incident;
    incident.title = LenientJson::text(object, u"title");
    incident.update = LenientJson::text(object, u"content");
    if (incident.title.isEmpty() && incident.update.isEmpty())
        return std::nullopt;
    incident.impact = styleImpact(LenientJson::text(object, u"style"));
    incident.startedAt = kumaInstant(object, u"createdDate");
    incident.updatedAt = kumaInstant(object, u"lastUpdatedDate");
    return incident;
}

QList<Maintenance> readWindows(const QJsonObject &top)
{
    QList<Maintenance> windows;
    for (const QJsonObject &object : LenientJson::objects(top, u"maintenanceList").value_or(QList<QJsonObject>())) {
        const QString status = LenientJson::text(object, u"status");
        // The page lists the maintenance under way; a window that says otherwise is told as
        // what it says.
        if (status == u"ended" || status == u"inactive")
            continue;
        Maintenance window;
        window.title = LenientJson::text(object, u"title");
        window.status = status == u"scheduled" ? Maintenance::Status::Scheduled : Maintenance::Status::InProgress;
        const QJsonObject slot = LenientJson::objects(object, u"timeslotList").value_or(QList<QJsonObject>()).value(0);
        window.startsAt = kumaInstant(slot, u"startDate");
        window.endsAt = kumaInstant(slot, u"endDate");
        windows.append(std::move(window));
    }
    return windows;
}

// An id written as a whole number (or, leniently, as text).
QString idText(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    const double number = value.toDouble(-1);
    if (!value.isDouble() || number < 0 || number > 9e15 || number != double(qint64(number)))
        return {};
    return QString::number(qint64(number));
}

} // namespace

QString UptimeKumaProvider::notAPageText()
{
    return tr("Not an Uptime Kuma page address (…/status/<page>)");
}

UptimeKumaProvider::UptimeKumaProvider(HttpSession session)
    : m_session(session)
{
}

std::optional<UptimeKumaProvider::Endpoints> UptimeKumaProvider::endpoints(const QUrl &url)
{
    if (!isWebAddress(url))
        return std::nullopt;
    QStringList segments = url.path().split(u'/');
    while (!segments.isEmpty() && segments.last().isEmpty())
        segments.removeLast();
    if (segments.size() < 2 || segments.at(segments.size() - 2) != u"status")
        return std::nullopt;
    const QString slug = segments.takeLast();
    segments.removeLast();
    const QString base = segments.join(u'/');

    QUrl page = url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
    page.setPath(base + QStringLiteral("/api/status-page/") + slug);
    QUrl heartbeats = page;
    heartbeats.setPath(base + QStringLiteral("/api/status-page/heartbeat/") + slug);
    return Endpoints{page, heartbeats};
}

Decoded<UptimeKumaProvider::Page> UptimeKumaProvider::decodePage(const QByteArray &data)
{
    JsonDecoder json;
    const QJsonObject top = json.parseObject(data);

    Page page;
    const QString groupPath = QStringLiteral("publicGroupList[]");
    const QString monitorPath = QStringLiteral("publicGroupList[].monitorList[]");
    for (const QJsonValue &value : json.requiredArray(top, QStringLiteral("publicGroupList"), {})) {
        const QJsonObject group = json.object(value, groupPath);
        // The picker needs an id per heading; a group without one gets its place.
        QString groupID = idText(group.value(u"id"));
        if (groupID.isEmpty())
            groupID = QStringLiteral("#") + QString::number(page.groups.size());
        page.groups.append({groupID, group.value(u"name").toString()});
        const QJsonArray monitors = json.requiredArray(group, QStringLiteral("monitorList"), groupPath);
        for (const QJsonValue &entry : monitors) {
            const QJsonObject object = json.object(entry, monitorPath);
            const QString id = idText(object.value(u"id"));
            if (id.isEmpty() && !json.failed())
                json.fail(tr("The data couldn't be read: a monitor has no id."));
            page.monitors.append({id, object.value(u"name").toString(), groupID});
        }
    }
    page.incident = readIncident(top);
    page.windows = readWindows(top);

    if (json.failed())
        return {std::nullopt, json.error()};
    return {std::move(page), {}};
}

Decoded<UptimeKumaProvider::Heartbeats> UptimeKumaProvider::decodeHeartbeats(const QByteArray &data)
{
    JsonDecoder json;
    const std::optional<QJsonDocument> parsed = json.parse(data);
    const QJsonObject top = json.object(parsed ? parsed->object() : QJsonValue(), QString());
    const QJsonObject list = json.requiredObject(top, QStringLiteral("heartbeatList"), {});
    if (json.failed())
        return {std::nullopt, json.error()};

    Heartbeats heartbeats;
    for (auto it = list.begin(); it != list.end(); ++it) {
        const QJsonArray beats = it.value().toArray();
        // Oldest first; a page that shows days rather than beats has empty days written as 0.
        for (qsizetype i = beats.size() - 1; i >= 0; --i) {
            const QJsonValue status = beats.at(i).toObject().value(u"status");
            const int code = status.toInt(-1);
            if (status.isDouble() && code >= 0 && code <= 3) {
                heartbeats.insert(it.key(), Beat(code));
                break;
            }
        }
    }
    return {std::move(heartbeats), {}};
}

ServiceStatusResult UptimeKumaProvider::evaluate(const Service &service, const Page &page, const Heartbeats &heartbeats,
                                                 const QDateTime &now)
{
    if (page.monitors.isEmpty())
        return failureResult(service, tr("The page lists no monitors."));
    if (const QSet<QString> selected = ComponentSelection::selected(service); !selected.isEmpty())
        return selectionResult(service, page, heartbeats, selected);
    std::array<qsizetype, 4> counts{};
    qsizetype reported = 0;
    for (const Monitor &monitor : page.monitors) {
        const auto beat = heartbeats.constFind(monitor.id);
        if (beat == heartbeats.cend())
            continue;
        ++counts.at(std::size_t(*beat));
        ++reported;
    }
    const auto count = [&](Beat beat) { return counts.at(std::size_t(beat)); };
    if (reported == 0)
        return failureResult(service, tr("No monitor on the page has reported yet."));

    const QList<Maintenance> windows = FeedStory::currentWindows(page.windows, now);
    const bool windowOpen = std::any_of(windows.cbegin(), windows.cend(), [](const Maintenance &window) {
        return window.status == Maintenance::Status::InProgress;
    });
    const qsizetype down = count(Beat::Down);
    Indicator indicator = Indicator::None;
    bool maintenance = false;
    if (down == reported) {
        indicator = Indicator::Critical;
    } else if (down > 0) {
        indicator = Indicator::Major;
    } else if (count(Beat::Maintenance) > 0 || windowOpen) {
        indicator = Indicator::Minor;
        maintenance = true;
    } else if (count(Beat::Pending) > 0) {
        indicator = Indicator::Minor;
    }
    // The page's own banner can say more than the monitors do, never less.
    if (page.incident && page.incident->impact && *page.incident->impact > indicator) {
        indicator = *page.incident->impact;
        maintenance = false;
    }

    std::optional<QString> title;
    if (page.incident && !page.incident->title.isEmpty())
        title = page.incident->title;
    else if (maintenance && !windows.isEmpty() && !windows.first().title.isEmpty())
        title = windows.first().title;

    ServiceStatusResult result = makeResult(
        service, indicator, descriptionOrLabel(title.value_or(QString()), indicator), title, maintenance);
    if (page.incident)
        result.incidents.append(*page.incident);
    result.maintenances = windows;
    return result;
}

ServiceStatusResult UptimeKumaProvider::selectionResult(const Service &service, const Page &page,
                                                        const Heartbeats &heartbeats, const QSet<QString> &selected)
{
    // The pinned incident and the maintenance list name no monitors: they are the page's,
    // not the selection's, and are left out as on any other page.
    QList<PartState> parts;
    for (const Monitor &monitor : page.monitors) {
        PartState part{monitor.id, monitor.name};
        if (const auto beat = heartbeats.constFind(monitor.id); beat != heartbeats.cend()) {
            switch (*beat) {
            case Beat::Up:
                part.indicator = Indicator::None;
                break;
            case Beat::Down:
                part.indicator = Indicator::Major;
                break;
            case Beat::Pending:
                part.indicator = Indicator::Minor;
                break;
            case Beat::Maintenance:
                part.indicator = Indicator::Minor;
                part.maintenance = true;
                break;
            }
        }
        parts.append(std::move(part));
    }
    return ComponentSelection::evaluate(service, parts, selected, {}, ComponentSelection::AllDown::Critical);
}

QList<PageComponent> UptimeKumaProvider::components(const Page &page)
{
    // Groups and monitors are numbered apart; the headings' ids are kept apart too.
    const auto headingID = [](const QString &group) -> QString { return QStringLiteral("group/") + group; };
    QList<PageComponent> list;
    for (const Group &group : page.groups)
        list.append({headingID(group.id), group.name, {}, true, std::nullopt});
    // A monitor shown in two groups is offered once, under the first.
    QSet<QString> listed;
    for (const Monitor &monitor : page.monitors) {
        if (listed.contains(monitor.id))
            continue;
        listed.insert(monitor.id);
        list.append({monitor.id, monitor.name, {}, std::nullopt, headingID(monitor.groupID)});
    }
    return list;
}

QCoro::Task<Decoded<QList<PageComponent>>> UptimeKumaProvider::fetchComponents(QUrl url, HttpSession session)
{
    const std::optional<Endpoints> addresses = endpoints(url);
    return FeedFetch::fetchMapped(std::move(session), addresses ? std::optional(addresses->page) : std::nullopt,
                                  notAPageText(), &decodePage, &components);
}

QCoro::Task<ServiceStatusResult> UptimeKumaProvider::fetch(Service service)
{
    const std::optional<Endpoints> addresses = endpoints(service.url);
    if (!addresses)
        co_return failureResult(service, notAPageText());

    // A copy keeps the second request independent of the provider across the first suspension.
    const HttpSession session = m_session;
    QCoro::Task<Decoded<Page>> reading = FeedFetch::fetchDecoded(session, addresses->page, &decodePage);
    const Decoded<Page> page = co_await reading;
    if (!page.value)
        co_return failureResult(service, page.error);
    if (page.value->monitors.isEmpty())
        co_return evaluate(service, *page.value, {}, QDateTime::currentDateTimeUtc());

    QCoro::Task<Decoded<Heartbeats>> polling = FeedFetch::fetchDecoded(session, addresses->heartbeats,
                                                                       &decodeHeartbeats);
    const Decoded<Heartbeats> heartbeats = co_await polling;
    if (!heartbeats.value)
        co_return failureResult(service, heartbeats.error);
    co_return evaluate(service, *page.value, *heartbeats.value, QDateTime::currentDateTimeUtc());
}
