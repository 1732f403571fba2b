#include "providers/xaiprovider.h"

#include "providers/feedscan.h"
#include "providers/readertable.h"

#include <QCoreApplication>
#include <QTimeZone>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <cmath>
#include <memory>
#include <mutex>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("XAIProvider", text);
}

// One formatter for the process, made on first use. ICU formatters keep a calendar they
// change while parsing, so every parse holds the lock.
struct PubDateFormat {
    PubDateFormat()
    {
        UErrorCode status = U_ZERO_ERROR;
        auto made = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString(u"EEE, dd MMM yyyy HH:mm:ss zzz"),
                                                            icu::Locale("en_US_POSIX"), status);
        if (U_SUCCESS(status)) {
            made->adoptTimeZone(icu::TimeZone::createTimeZone(icu::UnicodeString(u"GMT")));
            format = std::move(made);
        }
    }

    std::mutex lock;
    std::unique_ptr<icu::SimpleDateFormat> format;
};

PubDateFormat &pubDateFormat()
{
    static PubDateFormat shared; // initialised once, thread-safely
    return shared;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
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

std::optional<QDateTime> XAIProvider::parsePubDate(QStringView text)
{
    PubDateFormat &shared = pubDateFormat();
    if (!shared.format || text.isEmpty() || text.size() > 256)
        return std::nullopt;
    const icu::UnicodeString input(reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
    icu::ParsePosition position(0);
    UDate date = 0;
    {
        const std::lock_guard guard(shared.lock);
        date = shared.format->parse(input, position);
    }
    // The whole text must be a date, not just its beginning.
    if (position.getErrorIndex() >= 0 || position.getIndex() != input.length())
        return std::nullopt;
    // Lenient parsing accepts absurd years; keep to what a QDateTime holds safely.
    constexpr double limit = 1e15; // milliseconds, about 31,700 years
    if (!std::isfinite(date) || std::abs(date) > limit)
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(qint64(date), QTimeZone::utc());
}

std::optional<QString> XAIProvider::tagText(QStringView name, QStringView text)
{
    return FeedScan::elementText(name, text);
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

QList<XAIProvider::Incident> XAIProvider::activeIncidents(QStringView feedText, const QDateTime &now)
{
    QList<Incident> incidents;
    const qint64 nowMs = now.toMSecsSinceEpoch();
    const qint64 maxAgeMs = std::chrono::milliseconds(maxAge).count();
    const QList<QStringView> bodies = FeedScan::itemBodies(feedText);
    for (const QStringView body : bodies) {
        const QString description = tagText(u"description", body).value_or(QString());
        const QString status = field(u"Status", description).toUpper();
        if (status.contains(u"RESOLVED") || status.contains(u"COMPLETED") || status.contains(u"POSTMORTEM"))
            continue;

        if (const std::optional<QString> published = tagText(u"pubDate", body)) {
            const std::optional<QDateTime> date = parsePubDate(*published);
            if (date && nowMs - date->toMSecsSinceEpoch() > maxAgeMs)
                continue;
        }

        Incident incident;
        incident.title = tagText(u"title", body).value_or(tr("Active incident"));
        const QString severity = field(u"Severity", description);
        incident.isMaintenance = status.contains(u"MAINTENANCE") || severity.toLower().contains(u"maintenance");
        incident.indicator = indicator(severity, incident.title);
        incidents.append(std::move(incident));
    }
    return incidents;
}

ServiceStatusResult XAIProvider::evaluate(const Service &service, const QList<Incident> &incidents)
{
    if (incidents.isEmpty())
        return makeResult(service, Indicator::None, label(Indicator::None));
    const Incident *chosen = &incidents.first();
    for (const Incident &incident : incidents) {
        if (incident.indicator > chosen->indicator)
            chosen = &incident;
    }
    const QString description = chosen->title + FeedScan::moreSuffix(incidents.size());
    return makeResult(service, chosen->indicator, descriptionOrLabel(description, chosen->indicator), chosen->title,
                      chosen->isMaintenance);
}

QCoro::Task<ServiceStatusResult> XAIProvider::fetch(const Service &serviceRef)
{
    const Service service = serviceRef;
    QCoro::Task<HttpResponse> responseTask = m_session.get(feed());
    const HttpResponse response = co_await responseTask;
    if (!response.isSuccess())
        co_return failureResult(service, response.failureText());
    const std::optional<QString> text = FeedScan::strictUtf8(response.body);
    if (!text)
        co_return failureResult(service, tr("Decode error"));
    co_return evaluate(service, activeIncidents(*text, QDateTime::currentDateTimeUtc()));
}
