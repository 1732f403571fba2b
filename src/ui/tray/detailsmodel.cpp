#include "ui/tray/detailsmodel.h"

#include "ui/common/renderers.h"
#include "ui/tray/icutext.h"
#include "ui/tray/panelmodel.h"

#include <QCoreApplication>
#include <QLocale>
#include <unicode/dtitvfmt.h>
#include <unicode/locid.h>
#include <unicode/measunit.h>
#include <unicode/numberformatter.h>
#include <unicode/reldatefmt.h>
#include <unicode/smpdtfmt.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

namespace {

// The strip and the first share are about the last week.
constexpr std::chrono::seconds week = std::chrono::days(7);

// The context of these texts for translators.
class ServiceDetails
{
    Q_DECLARE_TR_FUNCTIONS(ServiceDetails)
};

// A feed's update may run to paragraphs; the window shows the beginning, the incident's
// page has the rest.
constexpr qsizetype updateLimit = 280;

// ICU spells the wall-clock time that Qt works out in the user's zone, given to ICU as if
// it were UTC: the zone rules stay those that decide what "today" is here, and ICU only
// writes the result the locale's way.
QDateTime wallClock(const QDateTime &moment, const QTimeZone &zone)
{
    return moment.toTimeZone(zone);
}

UDate icuDate(const QDateTime &moment, const QTimeZone &zone)
{
    const QDateTime local = wallClock(moment, zone);
    return UDate(QDateTime(local.date(), local.time(), QTimeZone::utc()).toMSecsSinceEpoch());
}

// Making an ICU formatter loads locale data; the details ask for the same few skeletons
// over and over, so each is made once for the interface's locale, set to read the
// wall-clock times icuDate() gives. Main thread only, like the panel.
template<class Format, class Make>
Format *cachedFormat(const char *skeleton, Make make)
{
    static std::map<std::string, std::unique_ptr<Format>> made;
    const icu::Locale locale = icuLocale();
    std::unique_ptr<Format> &format = made[std::string(locale.getName()) + '/' + skeleton];
    if (!format) {
        UErrorCode status = U_ZERO_ERROR;
        format.reset(make(icu::UnicodeString(skeleton, -1, US_INV), locale, status));
        if (U_FAILURE(status))
            format.reset();
        else
            format->setTimeZone(*icu::TimeZone::getGMT());
    }
    return format.get();
}

icu::DateFormat *dateFormat(const char *skeleton)
{
    return cachedFormat<icu::DateFormat>(
        skeleton, [](const icu::UnicodeString &pattern, const icu::Locale &locale, UErrorCode &status) {
            return icu::DateFormat::createInstanceForSkeleton(pattern, locale, status);
        });
}

icu::DateIntervalFormat *intervalFormat(const char *skeleton)
{
    return cachedFormat<icu::DateIntervalFormat>(
        skeleton, [](const icu::UnicodeString &pattern, const icu::Locale &locale, UErrorCode &status) {
            return icu::DateIntervalFormat::createInstance(pattern, locale, status);
        });
}

QString formatMoment(const QDateTime &moment, const QTimeZone &zone, const char *skeleton)
{
    icu::DateFormat *format = dateFormat(skeleton);
    if (!format)
        return QLocale().toString(wallClock(moment, zone), QLocale::ShortFormat);
    icu::UnicodeString text;
    format->format(icuDate(moment, zone), text);
    return fromUnicode(text);
}

// One ICU interval rather than two moments joined: it leaves out what both ends share the
// way the locale does ("10:00 – 11:00 PM", "22:00–23:00 Uhr").
QString formatInterval(const QDateTime &from, const QDateTime &to, const QTimeZone &zone, const char *skeleton)
{
    icu::DateIntervalFormat *format = intervalFormat(skeleton);
    if (!format)
        return formatMoment(from, zone, skeleton) + QStringLiteral(" \u2013 ") + formatMoment(to, zone, skeleton);
    const icu::DateInterval interval(icuDate(from, zone), icuDate(to, zone));
    icu::UnicodeString text;
    icu::FieldPosition position;
    UErrorCode status = U_ZERO_ERROR;
    format->format(&interval, text, position, status);
    return U_SUCCESS(status) ? fromUnicode(text) : QString();
}

// "Today" or "Tomorrow" as a sentence begins with it; ICU has the words of every locale.
QString relativeDay(bool tomorrow)
{
    static std::map<std::string, std::unique_ptr<icu::RelativeDateTimeFormatter>> made;
    const icu::Locale locale = icuLocale();
    const auto [found, fresh] = made.try_emplace(locale.getName());
    if (fresh) {
        UErrorCode status = U_ZERO_ERROR;
        found->second = std::make_unique<icu::RelativeDateTimeFormatter>(
            locale, nullptr, UDAT_STYLE_LONG, UDISPCTX_CAPITALIZATION_FOR_BEGINNING_OF_SENTENCE, status);
        if (U_FAILURE(status))
            found->second.reset();
    }
    icu::RelativeDateTimeFormatter *format = found->second.get();
    if (!format)
        return tomorrow ? ServiceDetails::tr("Tomorrow") : ServiceDetails::tr("Today");
    icu::UnicodeString text;
    UErrorCode status = U_ZERO_ERROR;
    format->format(tomorrow ? UDAT_DIRECTION_NEXT : UDAT_DIRECTION_THIS, UDAT_ABSOLUTE_DAY, text, status);
    return U_SUCCESS(status) ? fromUnicode(text) : QString();
}

// The clock time, with the date when it is not today.
QString clockText(const QDateTime &moment, const DetailsTime &time)
{
    const bool today = wallClock(moment, time.zone).date() == wallClock(time.now, time.zone).date();
    return formatMoment(moment, time.zone, today ? "jm" : "MMMEdjm");
}

// "7 days", "8 hours", "5 minutes" in the user's words.
QString duration(int count, const icu::MeasureUnit &unit)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString text = icu::number::NumberFormatter::withLocale(icuLocale())
                                        .unit(unit)
                                        .unitWidth(UNUM_UNIT_WIDTH_FULL_NAME)
                                        .formatInt(count, status)
                                        .toString(status);
    return U_SUCCESS(status) ? fromUnicode(text) : QString::number(count);
}

// How far back the samples reach, rounded to what a person would say.
QString spanText(qint64 seconds)
{
    constexpr qint64 hour = 3600;
    constexpr qint64 day = 24 * hour;
    const auto rounded = [](qint64 value, qint64 unit) { return int(std::max<qint64>(1, (value + unit / 2) / unit)); };
    if (seconds + hour / 2 >= day)
        return duration(std::min(rounded(seconds, day), 7), icu::MeasureUnit::getDay());
    if (seconds + 30 >= hour)
        return duration(rounded(seconds, hour), icu::MeasureUnit::getHour());
    return duration(rounded(seconds, 60), icu::MeasureUnit::getMinute());
}

IncidentText incidentText(const Incident &incident, const DetailsTime &time)
{
    IncidentText text;
    text.title = incident.title.simplified();
    if (text.title.isEmpty())
        text.title = ServiceDetails::tr("Incident");
    QStringList status;
    if (const QString stage = stageWord(incident.status); !stage.isEmpty())
        status.append(stage);
    if (const QString started = startedText(incident.startedAt, time); !started.isEmpty())
        status.append(started);
    text.statusLine = status.join(QStringLiteral(" \u00b7 "));

    text.update = incident.update.simplified();
    if (text.update.size() > updateLimit) {
        const qsizetype space = text.update.lastIndexOf(u' ', updateLimit);
        text.update = text.update.left(space > updateLimit / 2 ? space : updateLimit) + QStringLiteral("\u2026");
    }
    if (incident.updatedAt.isValid() && incident.updatedAt.secsTo(time.now) < 1)
        text.updateAge = ServiceDetails::tr("Updated now");
    else if (incident.updatedAt.isValid())
        text.updateAge =
            ServiceDetails::tr("Updated %1").arg(relativeTime(incident.updatedAt, time.now, RelativeUnits::Full));
    text.page = incident.url;
    text.openDescription = ServiceDetails::tr("Opens the page of \u201c%1\u201d").arg(text.title);
    return text;
}

bool running(const Maintenance &maintenance, const QDateTime &now)
{
    if (maintenance.status == Maintenance::Status::InProgress)
        return true;
    // a feed read a while ago still says "scheduled" for a window that has begun
    return maintenance.startsAt.isValid() && maintenance.startsAt <= now
           && (!maintenance.endsAt.isValid() || now < maintenance.endsAt);
}

} // namespace

bool hasDetails(const std::optional<ServiceStatusResult> &result, const UptimeRecord::Series &uptime,
                const QDateTime &now)
{
    // what the week's line and strip draw: a readable check in the week (the sparkline's
    // samples are fewer, and may be gone while the record still holds the week)
    return uptime.share(now.addSecs(-week.count()), now).has_value()
           || (result && (!result->incidents.isEmpty() || !result->maintenances.isEmpty()));
}

QString detailsControlName(const QString &serviceName)
{
    return ServiceDetails::tr("Details for %1").arg(serviceName);
}

QString stageWord(const QString &word)
{
    // The stages of Statuspage's incidents and maintenance, which the other hosted pages
    // borrow; their localized pages have words for them.
    struct Stage {
        const char *word;
        struct {
            const char *source;
            const char *disambiguation;
        } spoken;
    };
    static constexpr Stage known[] = {
        {"investigating", QT_TRANSLATE_NOOP3("ServiceDetails", "Investigating", "an incident's stage")},
        {"identified", QT_TRANSLATE_NOOP3("ServiceDetails", "Identified", "an incident's stage")},
        {"monitoring", QT_TRANSLATE_NOOP3("ServiceDetails", "Monitoring", "an incident's stage")},
        {"resolved", QT_TRANSLATE_NOOP3("ServiceDetails", "Resolved", "an incident's stage")},
        {"postmortem", QT_TRANSLATE_NOOP3("ServiceDetails", "Postmortem", "an incident's stage")},
        {"scheduled", QT_TRANSLATE_NOOP3("ServiceDetails", "Scheduled", "an incident's stage")},
        {"in_progress", QT_TRANSLATE_NOOP3("ServiceDetails", "In progress", "an incident's stage")},
        {"verifying", QT_TRANSLATE_NOOP3("ServiceDetails", "Verifying", "an incident's stage")},
        {"completed", QT_TRANSLATE_NOOP3("ServiceDetails", "Completed", "an incident's stage")},
    };
    const QString key = word.trimmed().toLower().replace(u' ', u'_');
    for (const Stage &stage : known) {
        if (key == QLatin1String(stage.word))
            return ServiceDetails::tr(stage.spoken.source, stage.spoken.disambiguation);
    }
    QString spoken = QString(word).replace(u'_', u' ').simplified();
    if (!spoken.isEmpty())
        spoken[0] = spoken.at(0).toUpper();
    return spoken;
}

QString startedText(const QDateTime &startedAt, const DetailsTime &time)
{
    if (!startedAt.isValid())
        return QString();
    return ServiceDetails::tr("Started %1 (%2)")
        .arg(relativeTime(startedAt, time.now, RelativeUnits::Full), clockText(startedAt, time));
}

QString maintenanceWhen(const Maintenance &maintenance, const DetailsTime &time)
{
    const QDateTime &start = maintenance.startsAt;
    // an end before the start is a feed's slip; the start alone still says when
    const QDateTime end = maintenance.endsAt.isValid() && (!start.isValid() || maintenance.endsAt > start)
                              ? maintenance.endsAt
                              : QDateTime();
    if (running(maintenance, time.now))
        return end.isValid() ? ServiceDetails::tr("In progress until %1").arg(clockText(end, time))
                             : ServiceDetails::tr("In progress");
    if (!start.isValid())
        return ServiceDetails::tr("Time not announced");

    const QDate day = wallClock(start, time.zone).date();
    const QDate today = wallClock(time.now, time.zone).date();
    const bool oneDay = !end.isValid() || wallClock(end, time.zone).date() == day;
    QString dayWord;
    if (oneDay && day == today)
        dayWord = wallClock(start, time.zone).time().hour() >= 18 ? ServiceDetails::tr("Tonight") : relativeDay(false);
    else if (oneDay && day == today.addDays(1))
        dayWord = relativeDay(true);

    // DateIntervalFormat has no words for today and tomorrow, RelativeDateTimeFormatter no
    // intervals: near windows take the day's word and the hours, others the date and hours
    const char *skeleton = dayWord.isEmpty() ? "MMMEdjm" : "jm";
    const QString hours = end.isValid() ? formatInterval(start, end, time.zone, skeleton)
                                        : formatMoment(start, time.zone, skeleton);
    return dayWord.isEmpty() ? hours : ServiceDetails::tr("%1 %2", "a day's word, then the hours").arg(dayWord, hours);
}

QString weekText(const UptimeRecord::Series &uptime, const QDateTime &now)
{
    // a younger record names the time it really covers
    const std::chrono::seconds span = std::min(uptime.reach(now), week);
    const std::optional<double> share = uptime.share(now.addSecs(-span.count()), now);
    if (!share)
        return ServiceDetails::tr("No history yet");
    QStringList lines{ServiceDetails::tr("%1 % operational over %2")
                          .arg(QLocale().toString(*share * 100.0, 'f', 1), spanText(span.count()))};
    for (const int days : {30, 90}) {
        const std::chrono::seconds window = std::chrono::days(days);
        if (!uptime.covers(window, now))
            continue;
        const std::optional<double> longer = uptime.share(now.addSecs(-window.count()), now);
        if (longer)
            lines.append(
                ServiceDetails::tr("%1 % operational over %2")
                    .arg(QLocale().toString(*longer * 100.0, 'f', 2), duration(days, icu::MeasureUnit::getDay())));
    }
    return lines.join(u'\n');
}

QList<std::optional<Indicator>> weekSlots(const UptimeRecord::Series &uptime, const QDateTime &now)
{
    QList<std::optional<Indicator>> slots(weekStripSlots);
    constexpr qint64 hourMs = 3'600'000;
    const qint64 weekMs = std::chrono::milliseconds(week).count();
    const qint64 slotMs = weekMs / weekStripSlots;
    const qint64 startMs = now.toMSecsSinceEpoch() - weekMs;
    for (qsizetype i = 0; i < uptime.hours.size(); ++i) {
        const std::optional<Indicator> worst = uptime.hours.at(i).worst();
        // an hour goes to the place that holds most of it; the places need not start on the hour
        const qint64 middle = (uptime.firstHour + i) * hourMs + hourMs / 2 - startMs;
        if (!worst || middle < 0 || middle > weekMs + hourMs / 2)
            continue;
        std::optional<Indicator> &slot = slots[std::min<qint64>(middle / slotMs, weekStripSlots - 1)];
        slot = slot ? std::max(*slot, *worst) : *worst;
    }
    return slots;
}

DetailsContent detailsContent(const Service &service, const std::optional<ServiceStatusResult> &result,
                              const UptimeRecord::Series &uptime, const DetailsTime &time)
{
    DetailsContent content;
    content.name = service.name;
    content.controlName = detailsControlName(service.name);
    if (result) {
        for (const Incident &incident : result->incidents)
            content.incidents.append(incidentText(incident, time));
        // what runs now first, then by start; the feed's own order among equals
        QList<Maintenance> windows = result->maintenances;
        std::stable_sort(windows.begin(), windows.end(), [&time](const Maintenance &a, const Maintenance &b) {
            const bool aRuns = running(a, time.now);
            const bool bRuns = running(b, time.now);
            if (aRuns != bRuns)
                return aRuns;
            if (a.startsAt.isValid() != b.startsAt.isValid())
                return a.startsAt.isValid();
            return a.startsAt < b.startsAt;
        });
        for (const Maintenance &window : windows) {
            const QString title = window.title.simplified();
            content.maintenances.append(
                {title.isEmpty() ? ServiceDetails::tr("Maintenance") : title, maintenanceWhen(window, time)});
        }
    }
    content.weekText = weekText(uptime, time.now);
    content.weekSlots = weekSlots(uptime, time.now);
    return content;
}
