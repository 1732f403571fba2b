#include "providers/azure/azureprovider.h"

#include "providers/common/feedfetch.h"
#include "providers/common/feedscan.h"
#include "providers/providertable.h"

namespace {

QStringList titlesOf(const QList<AzureProvider::Item> &items)
{
    QStringList titles;
    for (const AzureProvider::Item &item : items)
        titles.append(item.title);
    return titles;
}

} // namespace

AzureProvider::AzureProvider(HttpSession session)
    : m_session(session)
{
}

QUrl AzureProvider::feed()
{
    // The feed host that stays up during regional trouble, unlike the status site itself.
    return fixedFeed(ProviderKind::Azure);
}

QList<AzureProvider::Item> AzureProvider::items(QStringView feedText)
{
    QList<Item> items;
    const QList<QStringView> bodies = FeedScan::itemBodies(feedText);
    for (const QStringView body : bodies) {
        std::optional<QString> title = FeedScan::elementText(u"title", body);
        if (!title || title->isEmpty())
            continue;
        Item item;
        item.title = std::move(*title);
        item.text = FeedScan::plainText(FeedScan::itemDescription(body).value_or(QString()));
        item.link = LenientJson::webAddress(FeedScan::itemLink(body));
        item.published = FeedScan::itemDate(body).value_or(QDateTime());
        items.append(std::move(item));
    }
    return items;
}

QStringList AzureProvider::itemTitles(QStringView feedText)
{
    return titlesOf(items(feedText));
}

Indicator AzureProvider::indicator(const QString &title)
{
    const QString lower = title.toLower();
    if (lower.contains(u"outage"))
        return Indicator::Critical;
    if (lower.contains(u"degrad") || lower.contains(u"disruption") || lower.contains(u"impact"))
        return Indicator::Major;
    if (lower.contains(u"advisory") || lower.contains(u"information"))
        return Indicator::Minor;
    // Every item is a current incident, so an unfamiliar title is still trouble.
    return Indicator::Major;
}

ServiceStatusResult AzureProvider::evaluate(const Service &service, const QStringList &titles)
{
    if (titles.isEmpty())
        return makeResult(service, Indicator::None, label(Indicator::None));
    Indicator worst = Indicator::None;
    for (const QString &title : titles)
        worst = std::max(worst, indicator(title));
    const QString description = titles.first() + FeedScan::moreSuffix(titles.size());
    return makeResult(service, worst, descriptionOrLabel(description, worst));
}

FeedStory::Story AzureProvider::story(const QList<Item> &items)
{
    FeedStory::Story story;
    for (const Item &item : items) {
        Incident incident;
        incident.title = item.title;
        incident.startedAt = item.published;
        incident.update = item.text;
        incident.url = item.link;
        story.incidents.append(std::move(incident));
    }
    return story;
}

QCoro::Task<ServiceStatusResult> AzureProvider::fetch(Service service)
{
    QCoro::Task<Decoded<QString>> fetching = FeedFetch::fetchDecoded(m_session, feed(), &FeedFetch::feedText);
    const Decoded<QString> text = co_await fetching;
    if (!text.value)
        co_return failureResult(service, text.error);
    const QList<Item> current = items(*text.value);
    ServiceStatusResult result = evaluate(service, titlesOf(current));
    FeedStory::tell(result, story(current), QDateTime::currentDateTimeUtc());
    co_return result;
}
