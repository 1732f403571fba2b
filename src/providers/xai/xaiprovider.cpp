#include "providers/xai/xaiprovider.h"

#include "providers/common/feedfetch.h"
#include "providers/common/feedscan.h"
#include "providers/providertable.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The description's own text: its Status and Severity lines are read as fields.
QString postText(const QString &description)
{
    QStringList lines = FeedScan::plainText(description).split(u'\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString &line) {
        return line.startsWith(QStringLiteral("Status:")) || line.startsWith(QStringLiteral("Severity:"));
    });
    return lines.join(u'\n');
}

bool isStillToCome(const QString &status)
{
    return status.contains(u"scheduled") || status.contains(u"upcoming") || status.contains(u"not started");
}

} // namespace

XAIProvider::XAIProvider(HttpSession session)
    : m_session(session)
{
}

QUrl XAIProvider::feed()
{
    return fixedFeed(ProviderKind::Xai);
}

QString XAIProvider::field(QStringView name, QStringView text)
{
    const QString marker = name.toString() + u':';
    const qsizetype found = text.indexOf(marker);
    if (found < 0)
        return {};
    qsizetype begin = found + marker.size();
    qsizetype end = begin;
    while (end < text.size() && text.at(end) != u'<' && text.at(end) != u'\n' && text.at(end) != u'\r')
        ++end;
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    return text.sliced(begin, end - begin).toString();
}

Indicator XAIProvider::indicator(const QString &severity, const QString &title)
{
    const QString text = (severity + u' ' + title).toLower();
    const auto containsAny = [&text](std::initializer_list<QStringView> words) {
        return std::any_of(words.begin(), words.end(), [&text](QStringView word) { return text.contains(word); });
    };
    if (containsAny({u"major outage", u"critical", u"unavailable", u"down"}))
        return Indicator::Critical;
    if (containsAny({u"outage", u"partial"}))
        return Indicator::Major;
    return Indicator::Minor;
}

std::optional<Indicator> XAIProvider::impact(const QString &severity)
{
    const QString text = severity.toLower();
    const auto containsAny = [&text](std::initializer_list<QStringView> words) {
        return std::any_of(words.begin(), words.end(), [&text](QStringView word) { return text.contains(word); });
    };
    if (containsAny({u"major outage", u"critical"}))
        return Indicator::Critical;
    if (containsAny({u"major", u"outage", u"partial"}))
        return Indicator::Major;
    if (containsAny({u"minor", u"degraded"}))
        return Indicator::Minor;
    if (text.contains(u"none"))
        return Indicator::None;
    return std::nullopt;
}

QList<XAIProvider::Post> XAIProvider::activePosts(QStringView feedText, const QDateTime &now)
{
    QList<Post> posts;
    const qint64 nowMs = now.toMSecsSinceEpoch();
    const qint64 maxAgeMs = std::chrono::milliseconds(maxAge).count();
    const QList<QStringView> bodies = FeedScan::itemBodies(feedText);
    for (const QStringView body : bodies) {
        const QString description = FeedScan::itemDescription(body).value_or(QString());
        const QString status = field(u"Status", description);
        const QString upper = status.toUpper();
        if (upper.contains(u"RESOLVED") || upper.contains(u"COMPLETED") || upper.contains(u"POSTMORTEM"))
            continue;

        Post post;
        if (const std::optional<QDateTime> date = FeedScan::itemDate(body)) {
            if (nowMs - date->toMSecsSinceEpoch() > maxAgeMs)
                continue;
            post.published = *date;
        }

        post.title = FeedScan::elementText(u"title", body).value_or(tr("Active incident"));
        post.severity = field(u"Severity", description);
        post.isMaintenance = upper.contains(u"MAINTENANCE") || post.severity.toLower().contains(u"maintenance");
        post.indicator = indicator(post.severity, post.title);
        post.status = status.toLower();
        post.text = postText(description);
        post.link = LenientJson::webAddress(FeedScan::itemLink(body));
        posts.append(std::move(post));
    }
    return posts;
}

ServiceStatusResult XAIProvider::evaluate(const Service &service, const QList<Post> &posts)
{
    if (posts.isEmpty())
        return makeResult(service, Indicator::None, label(Indicator::None));
    const Post *chosen = &posts.first();
    for (const Post &post : posts) {
        if (post.indicator > chosen->indicator)
            chosen = &post;
    }
    const QString description = chosen->title + FeedScan::moreSuffix(posts.size());
    return makeResult(service, chosen->indicator, descriptionOrLabel(description, chosen->indicator), chosen->title,
                      chosen->isMaintenance);
}

FeedStory::Story XAIProvider::story(const QList<Post> &posts)
{
    FeedStory::Story story;
    for (const Post &post : posts) {
        if (post.isMaintenance) {
            Maintenance window;
            window.title = post.title;
            window.status = isStillToCome(post.status) ? Maintenance::Status::Scheduled
                                                       : Maintenance::Status::InProgress;
            window.url = post.link;
            story.maintenances.append(std::move(window));
            continue;
        }
        Incident incident;
        incident.title = post.title;
        incident.status = post.status;
        incident.impact = impact(post.severity);
        // The post's date is the nearest the feed comes to the incident's start.
        incident.startedAt = post.published;
        incident.update = post.text;
        incident.url = post.link;
        story.incidents.append(std::move(incident));
    }
    return story;
}

QCoro::Task<ServiceStatusResult> XAIProvider::fetch(Service service)
{
    QCoro::Task<Decoded<QString>> fetching = FeedFetch::fetchDecoded(m_session, feed(), &FeedFetch::feedText);
    const Decoded<QString> text = co_await fetching;
    if (!text.value)
        co_return failureResult(service, text.error);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QList<Post> posts = activePosts(*text.value, now);
    ServiceStatusResult result = evaluate(service, posts);
    FeedStory::tell(result, story(posts), now);
    co_return result;
}
