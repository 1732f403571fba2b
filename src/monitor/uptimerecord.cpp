#include "monitor/uptimerecord.h"

#include "core/atomicfile.h"
#include "core/service.h"
#include "core/servicestore.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>

#include <algorithm>
#include <cmath>

namespace {

Q_LOGGING_CATEGORY(lcUptime, "glinter.uptime")

constexpr qint64 hourMs = 3'600'000;
constexpr qint64 keptHours = UptimeRecord::keptFor.count();
// An hour's counts fit in seven bits each; past that both are halved, which keeps the share.
constexpr int maxChecks = 127;
constexpr qint64 version = 1;

QString kindName()
{
    return QStringLiteral("glinter-uptime");
}

qint64 hourOf(const QDateTime &time)
{
    const qint64 ms = time.toMSecsSinceEpoch();
    return ms >= 0 ? ms / hourMs : (ms - hourMs + 1) / hourMs;
}

QDateTime hourStart(qint64 hour)
{
    return QDateTime::fromMSecsSinceEpoch(hour * hourMs, Qt::UTC);
}

// The worst state as stored: 0 for nothing read, 1 to 4 for None to Critical.
constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

void encodeHour(QByteArray &out, const UptimeRecord::Hour &hour)
{
    const std::optional<Indicator> worstRead = hour.worst();
    const int worst = worstRead ? storedNumber(*worstRead) + 1 : 0;
    const int code = (worst << 14) | (hour.checks() << 7) | hour.operational();
    out.append(alphabet[(code >> 12) & 63]).append(alphabet[(code >> 6) & 63]).append(alphabet[code & 63]);
}

int digit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'A' && u <= u'Z')
        return u - u'A';
    if (u >= u'a' && u <= u'z')
        return u - u'a' + 26;
    if (u >= u'0' && u <= u'9')
        return u - u'0' + 52;
    if (u == u'-')
        return 62;
    return u == u'_' ? 63 : -1;
}

std::optional<UptimeRecord::Hour> decodeHour(QStringView text)
{
    int code = 0;
    for (const QChar c : text) {
        const int value = digit(c);
        if (value < 0)
            return std::nullopt;
        code = (code << 6) | value;
    }
    const int worst = code >> 14;
    const int checks = (code >> 7) & 127;
    const int operational = code & 127;
    if (worst > 4 || operational > checks || (worst == 0) != (checks == 0))
        return std::nullopt;
    return UptimeRecord::Hour(worst > 0 ? std::optional(indicatorFromStoredNumber(worst - 1)) : std::nullopt, checks,
                              operational);
}

std::optional<UptimeRecord::Series> decodeSeries(const QJsonObject &object)
{
    const QJsonValue since = object.value(QStringLiteral("since"));
    const QJsonValue first = object.value(QStringLiteral("first"));
    const QJsonValue hours = object.value(QStringLiteral("hours"));
    if (!since.isDouble() || !first.isDouble() || !hours.isString())
        return std::nullopt;
    const double sinceSeconds = since.toDouble();
    const double firstHour = first.toDouble();
    // Hours since 1970 within a few hundred thousand years either way.
    if (!std::isfinite(sinceSeconds) || std::abs(sinceSeconds) > 1e13 || firstHour != std::trunc(firstHour)
        || std::abs(firstHour) > 1e9)
        return std::nullopt;
    // A series longer than the record keeps is no damage (a later version may keep more, a
    // clock that ran ahead may have written past now): what is kept is cut relative to the
    // clock, not to the series' own end, when the record is read.
    const QString text = hours.toString();
    if (text.size() % 3 != 0)
        return std::nullopt;

    UptimeRecord::Series series;
    // whole seconds, as written: a fraction would not survive the next write
    series.since = QDateTime::fromSecsSinceEpoch(qint64(std::floor(sinceSeconds)), Qt::UTC);
    series.firstHour = qint64(firstHour);
    series.hours.reserve(text.size() / 3);
    for (qsizetype i = 0; i < text.size(); i += 3) {
        const std::optional<UptimeRecord::Hour> hour = decodeHour(QStringView(text).mid(i, 3));
        if (!hour)
            return std::nullopt;
        series.hours.append(*hour);
    }
    return series;
}

} // namespace

UptimeRecord::Hour::Hour(std::optional<Indicator> worst, int checks, int operational)
    : m_worst(worst ? qint8(*worst) : nothingRead)
    , m_checks(quint8(std::clamp(checks, 0, maxChecks)))
    , m_operational(quint8(std::clamp(operational, 0, int(m_checks))))
{
}

std::optional<Indicator> UptimeRecord::Hour::worst() const
{
    if (m_worst == nothingRead)
        return std::nullopt;
    return Indicator(m_worst);
}

void UptimeRecord::Hour::count(Indicator indicator)
{
    if (m_checks == maxChecks) {
        m_operational = quint8((m_operational * 64 + maxChecks / 2) / maxChecks);
        m_checks = 64;
    }
    ++m_checks;
    if (indicator == Indicator::None)
        ++m_operational;
    if (m_worst < int(indicator))
        m_worst = qint8(indicator);
}

bool UptimeRecord::Series::add(Indicator indicator, const QDateTime &at, const QDateTime &now)
{
    const qint64 hour = hourOf(at);
    const qint64 nowHour = hourOf(now);
    if (indicator == Indicator::Unknown || !at.isValid() || hour > nowHour || hour <= nowHour - keptHours)
        return false;
    // Only the front is cut here: hours after a clock set back stay until the next write.
    const qint64 drop = std::min<qint64>(hours.size(), nowHour - keptHours + 1 - firstHour);
    if (drop > 0) {
        hours.remove(0, drop);
        firstHour += drop;
        since = hourStart(firstHour);
    }
    if (hours.isEmpty()) {
        firstHour = hour;
        since = at;
    } else if (hour < firstHour) {
        return false;
    } else if (at < since) {
        since = at;
    }
    if (hour - firstHour >= hours.size())
        hours.resize(hour - firstHour + 1);

    hours[hour - firstHour].count(indicator);
    return true;
}

void UptimeRecord::Series::trim(const QDateTime &now)
{
    const qint64 nowHour = hourOf(now);
    if (firstHour + hours.size() - 1 > nowHour)
        hours.resize(std::max<qint64>(0, nowHour - firstHour + 1));
    const qint64 drop = std::min<qint64>(hours.size(), nowHour - keptHours + 1 - firstHour);
    if (drop > 0) {
        hours.remove(0, drop);
        firstHour += drop;
    }
    while (!hours.isEmpty() && hours.constFirst().checks() == 0) {
        hours.removeFirst();
        ++firstHour;
    }
    while (!hours.isEmpty() && hours.constLast().checks() == 0)
        hours.removeLast();
    if (hours.isEmpty()) {
        *this = Series();
        return;
    }
    // The first check lies in the first hour; a front cut or a damaged time moves it there.
    const QDateTime start = hourStart(firstHour);
    if (!since.isValid() || since < start || since >= hourStart(firstHour + 1))
        since = start;
}

std::chrono::seconds UptimeRecord::Series::reach(const QDateTime &now) const
{
    if (hours.isEmpty())
        return std::chrono::seconds(0);
    return std::chrono::seconds(std::max<qint64>(0, since.secsTo(now)));
}

bool UptimeRecord::Series::covers(std::chrono::seconds window, const QDateTime &now) const
{
    return !hours.isEmpty() && reach(now) + std::chrono::hours(1) >= window;
}

std::optional<double> UptimeRecord::Series::share(const QDateTime &from, const QDateTime &now) const
{
    const qint64 begin = std::max<qint64>(hourOf(from) - firstHour, 0);
    const qint64 end = std::min<qint64>(hourOf(now) - firstHour + 1, hours.size());
    qint64 checks = 0;
    qint64 operational = 0;
    for (qint64 i = begin; i < end; ++i) {
        checks += hours.at(i).checks();
        operational += hours.at(i).operational();
    }
    if (checks == 0)
        return std::nullopt;
    return double(operational) / double(checks);
}

UptimeRecord::UptimeRecord(QString filePath, Clock clock)
    : m_filePath(std::move(filePath))
    , m_clock(std::move(clock))
{
    const ReadResult file = AtomicFile::read(m_filePath, maxFileSize);
    if (file.missing)
        return;
    if (!file.bytes) {
        m_found = Found::Unreadable;
        qCWarning(lcUptime) << "cannot read the uptime record, leaving it as it is:" << m_filePath << file.error;
        return;
    }
    Decoded decoded = decode(*file.bytes);
    m_found = decoded.found;
    if (m_found == Found::Record) {
        // the newest 90 days as the clock stands; hours ahead of it go as after a clock set back
        const QDateTime now = m_clock();
        for (auto it = decoded.record.begin(); it != decoded.record.end();) {
            it->trim(now);
            it = it->hours.isEmpty() ? decoded.record.erase(it) : std::next(it);
        }
        m_record = std::move(decoded.record);
        return;
    }
    // Kept for a person to look at, out of the way of the next write.
    const QString aside = m_filePath
                          + (m_found == Found::Foreign ? QStringLiteral(".foreign") : QStringLiteral(".broken"));
    QFile::remove(aside);
    if (QFile::rename(m_filePath, aside))
        qCWarning(lcUptime) << "moved the unreadable uptime record to" << aside;
    else
        qCWarning(lcUptime) << "cannot move the unreadable uptime record aside:" << m_filePath;
}

QString UptimeRecord::defaultFilePath()
{
    return ServiceStore().directory() + QStringLiteral("/uptime.json");
}

void UptimeRecord::add(const QUuid &serviceID, Indicator indicator, const QDateTime &at)
{
    if (indicator == Indicator::Unknown)
        return;
    Series &series = m_record[serviceID];
    // a front cut without a count is picked up by the next write's trim
    m_dirty = series.add(indicator, at, m_clock()) || m_dirty;
    if (series.hours.isEmpty())
        m_record.remove(serviceID);
}

void UptimeRecord::forget(const QList<QUuid> &serviceIDs)
{
    for (const QUuid &id : serviceIDs)
        m_dirty = m_record.remove(id) || m_dirty;
}

void UptimeRecord::retain(const QSet<QUuid> &serviceIDs)
{
    const qsizetype removed = m_record.removeIf(
        [&serviceIDs](const auto &entry) { return !serviceIDs.contains(entry.key()); });
    m_dirty = m_dirty || removed > 0;
}

std::optional<QString> UptimeRecord::saveIfDue()
{
    if (!m_dirty)
        return std::nullopt;
    // A clock set back counts the time since the last write as it stands.
    if (m_lastWrite && std::abs(m_lastWrite->secsTo(m_clock())) < std::chrono::seconds(writeEvery).count())
        return std::nullopt;
    return save();
}

std::optional<QString> UptimeRecord::save()
{
    const QDateTime now = m_clock();
    for (auto it = m_record.begin(); it != m_record.end();) {
        const qsizetype before = it->hours.size();
        it->trim(now);
        m_dirty = m_dirty || it->hours.size() != before;
        it = it->hours.isEmpty() ? m_record.erase(it) : std::next(it);
    }
    if (!m_dirty)
        return std::nullopt;
    if (m_found == Found::Unreadable)
        return QStringLiteral("the record on disk could not be read and is left as it is");
    const WriteResult written = AtomicFile::write(m_filePath, encode(m_record));
    if (written.ok()) {
        m_dirty = false;
        m_lastWrite = now;
    }
    return written.error;
}

UptimeRecord::Series UptimeRecord::series(const QUuid &serviceID) const
{
    Series series = m_record.value(serviceID);
    series.trim(m_clock());
    return series;
}

std::optional<double> UptimeRecord::share(const QUuid &serviceID, std::chrono::seconds window) const
{
    const QDateTime now = m_clock();
    const Series series = this->series(serviceID);
    if (!series.covers(window, now))
        return std::nullopt;
    return series.share(now.addSecs(-window.count()), now);
}

QByteArray UptimeRecord::encode(const QHash<QUuid, Series> &record)
{
    QJsonArray services;
    for (auto it = record.constBegin(); it != record.constEnd(); ++it) {
        QByteArray hours;
        hours.reserve(it->hours.size() * 3);
        for (const Hour &hour : it->hours)
            encodeHour(hours, hour);
        services.append(QJsonObject{{QStringLiteral("id"), uuidText(it.key())},
                                    {QStringLiteral("since"), double(it->since.toSecsSinceEpoch())},
                                    {QStringLiteral("first"), double(it->firstHour)},
                                    {QStringLiteral("hours"), QString::fromLatin1(hours)}});
    }
    const QJsonObject top{{QStringLiteral("kind"), kindName()},
                          {QStringLiteral("version"), double(version)},
                          {QStringLiteral("services"), services}};
    return QJsonDocument(top).toJson(QJsonDocument::Compact);
}

UptimeRecord::Decoded UptimeRecord::decode(const QByteArray &data)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError)
        return {};
    const QJsonObject top = document.object();
    if (!document.isObject() || top.value(QStringLiteral("kind")).toString() != kindName()
        || top.value(QStringLiteral("version")).toDouble() != double(version))
        return {Found::Foreign, {}};
    const QJsonValue services = top.value(QStringLiteral("services"));
    if (!services.isArray())
        return {};

    Decoded decoded{Found::Record, {}};
    for (const QJsonValue &entry : services.toArray()) {
        const QJsonObject object = entry.toObject();
        const std::optional<QUuid> id = parseUuid(object.value(QStringLiteral("id")).toString());
        std::optional<Series> series = decodeSeries(object);
        if (!entry.isObject() || !id || !series || decoded.record.contains(*id))
            return {};
        decoded.record.insert(*id, std::move(*series));
    }
    return decoded;
}
