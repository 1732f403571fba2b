#include "core/settings.h"

#include "core/service.h"
#include "core/settingsfile.h"
#include "core/webaddress.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

const QString refreshIntervalKey = QStringLiteral("refreshInterval");
const QString hasOnboardedKey = QStringLiteral("hasOnboarded");
const QString notificationsEnabledKey = QStringLiteral("notificationsEnabled");
const QString minSeverityKey = QStringLiteral("notificationMinSeverity");
const QString mutedKey = QStringLiteral("mutedServiceIDs");
const QString mutedUntilKey = QStringLiteral("mutedUntil");
const QString webhookKey = QStringLiteral("webhookURL");
const QString awsRegionsKey = QStringLiteral("awsRegions");

// Sorted only so that the file does not churn between saves; an empty list would be
// written as "@Invalid()".
void writeList(const QString &key, QStringList texts)
{
    std::sort(texts.begin(), texts.end());
    if (texts.isEmpty())
        SettingsFile::remove(key);
    else
        SettingsFile::setValue(key, texts);
}

} // namespace

std::unique_ptr<QSettings> preferencesFile()
{
    return SettingsFile::settings();
}

Settings::Settings(QObject *parent)
    : QObject(parent)
{
    m_muteEnd.setSingleShot(true);
    // A coarse timer may fire minutes late on an hour.
    m_muteEnd.setTimerType(Qt::PreciseTimer);
    connect(&m_muteEnd, &QTimer::timeout, this, [this] {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        watchMuteEnds(mutes(now), now);
        Q_EMIT mutesChanged();
    });
    const QDateTime now = QDateTime::currentDateTimeUtc();
    watchMuteEnds(mutes(now), now);
}

Settings::~Settings() = default;

std::chrono::milliseconds Settings::refreshInterval() const
{
    const double seconds = SettingsFile::doubleValue(refreshIntervalKey, 0);
    if (!(seconds > 0))
        return defaultRefreshInterval;
    // A hand-written value of months would overflow the timer, one of a second would hammer
    // every vendor.
    const double bounded = std::clamp(seconds, double(minimumRefreshInterval.count()),
                                      double(maximumRefreshInterval.count()));
    return std::chrono::milliseconds(std::llround(bounded * 1000));
}

void Settings::setRefreshInterval(std::chrono::milliseconds interval)
{
    SettingsFile::setValue(refreshIntervalKey, double(interval.count()) / 1000.0);
    Q_EMIT refreshIntervalChanged(refreshInterval());
}

bool Settings::hasOnboarded() const
{
    return SettingsFile::boolValue(hasOnboardedKey, false);
}

void Settings::setHasOnboarded(bool onboarded)
{
    SettingsFile::setValue(hasOnboardedKey, onboarded);
}

bool Settings::notificationsEnabled() const
{
    return SettingsFile::boolValue(notificationsEnabledKey, true);
}

void Settings::setNotificationsEnabled(bool enabled)
{
    SettingsFile::setValue(notificationsEnabledKey, enabled);
    Q_EMIT notificationsEnabledChanged(enabled);
}

Indicator Settings::notificationMinSeverity() const
{
    const int raw = SettingsFile::intValue(minSeverityKey, storedNumber(Indicator::Minor));
    return indicatorFromStoredNumber(raw).value_or(Indicator::Minor);
}

void Settings::setNotificationMinSeverity(Indicator severity)
{
    SettingsFile::setValue(minSeverityKey, storedNumber(severity));
}

Settings::Mutes Settings::mutes(const QDateTime &now) const
{
    Mutes mutes;
    for (const QString &text : SettingsFile::stringListValue(mutedKey)) {
        if (const std::optional<QUuid> id = parseUuid(text))
            mutes.always.insert(*id);
    }
    for (const QString &text : SettingsFile::stringListValue(mutedUntilKey)) {
        const QStringList parts = text.split(u' ');
        if (parts.size() != 2)
            continue;
        const std::optional<QUuid> id = parseUuid(parts.at(0));
        const QDateTime end = QDateTime::fromString(parts.at(1), Qt::ISODate);
        // A time without a zone would mean whatever zone the machine is in when it is read.
        if (!id || !end.isValid() || end.timeSpec() == Qt::LocalTime || end <= now)
            continue;
        const auto kept = mutes.until.constFind(*id);
        if (kept == mutes.until.constEnd() || *kept < end)
            mutes.until.insert(*id, end.toUTC());
    }
    return mutes;
}

bool Settings::isMuted(const QUuid &serviceID, const QDateTime &now) const
{
    return mutes(now).contains(serviceID);
}

void Settings::setMuted(const QUuid &serviceID, bool muted, const QDateTime &now)
{
    Mutes current = mutes(now);
    if (muted) {
        current.always.insert(serviceID);
    } else {
        current.always.remove(serviceID);
        if (current.until.remove(serviceID))
            writeMutedUntil(current.until);
    }
    writeMutedServiceIDs(current.always);
    watchMuteEnds(current, now);
    Q_EMIT mutesChanged();
}

void Settings::muteUntil(const QUuid &serviceID, const QDateTime &end, const QDateTime &now)
{
    // Rounded up, so that the mute never ends before the moment asked for.
    QDateTime stored = end.toUTC();
    if (const int part = stored.time().msec(); part > 0)
        stored = stored.addMSecs(1000 - part);
    Mutes current = mutes(now);
    if (stored > now)
        current.until.insert(serviceID, stored);
    else
        current.until.remove(serviceID);
    writeMutedUntil(current.until);
    watchMuteEnds(current, now);
    Q_EMIT mutesChanged();
}

void Settings::writeMutedUntil(const QHash<QUuid, QDateTime> &ends)
{
    QStringList texts;
    for (auto it = ends.cbegin(); it != ends.cend(); ++it)
        texts.append(uuidText(it.key()) + u' ' + it.value().toUTC().toString(Qt::ISODate));
    writeList(mutedUntilKey, texts);
}

void Settings::writeMutedServiceIDs(const QSet<QUuid> &ids)
{
    QStringList texts;
    for (const QUuid &id : ids)
        texts.append(uuidText(id));
    writeList(mutedKey, texts);
}

void Settings::watchMuteEnds(const Mutes &mutes, const QDateTime &now)
{
    if (mutes.until.isEmpty()) {
        m_muteEnd.stop();
        return;
    }
    const QDateTime earliest = *std::min_element(mutes.until.cbegin(), mutes.until.cend());
    // A timer's period is an int of milliseconds: a far end is looked at again within days.
    constexpr qint64 longest = qint64(24) * 3600 * 1000;
    m_muteEnd.start(std::chrono::milliseconds(std::clamp<qint64>(now.msecsTo(earliest), 0, longest)));
}

QString Settings::webhookAddress() const
{
    return SettingsFile::stringValue(webhookKey);
}

void Settings::setWebhookAddress(const QString &address)
{
    SettingsFile::setValue(webhookKey, address);
}

std::optional<QUrl> Settings::webhookURL() const
{
    return usableWebhookAddress(webhookAddress());
}

std::optional<QUrl> Settings::usableWebhookAddress(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const QUrl parsed(text, QUrl::StrictMode);
    // The address the session will post to; QUrl lower-cases the scheme, so a scheme
    // written in capitals is refused on the typed text.
    if (!isWebAddress(parsed) || !text.startsWith(u"http"))
        return std::nullopt;
    return parsed;
}

QSet<QString> Settings::awsRegions() const
{
    const QStringList codes = SettingsFile::stringListValue(awsRegionsKey);
    return QSet<QString>(codes.cbegin(), codes.cend());
}

void Settings::setAwsRegions(const QSet<QString> &codes)
{
    QStringList sorted(codes.cbegin(), codes.cend());
    std::sort(sorted.begin(), sorted.end());
    SettingsFile::setValue(awsRegionsKey, sorted);
    Q_EMIT awsRegionsChanged(codes);
}
