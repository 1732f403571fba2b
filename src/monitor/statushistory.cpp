#include "monitor/statushistory.h"

#include "core/atomicfile.h"
#include "core/service.h"
#include "core/servicestore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>

namespace {

// 2001-01-01T00:00:00Z in milliseconds since the Unix epoch.
constexpr qint64 referenceEpochMs = 978'307'200'000;

QString indicatorKey()
{
    return QStringLiteral("indicator");
}

QString atKey()
{
    return QStringLiteral("at");
}

std::optional<StatusHistory::Sample> decodeSample(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue indicator = object.value(indicatorKey());
    const QJsonValue at = object.value(atKey());
    if (!indicator.isDouble() || !at.isDouble())
        return std::nullopt;

    // The indicator must be a whole number; "at" may be fractional.
    const double raw = indicator.toDouble();
    if (raw != std::trunc(raw) || raw < std::numeric_limits<int>::min() || raw > std::numeric_limits<int>::max())
        return std::nullopt;
    const double seconds = at.toDouble();
    if (!std::isfinite(seconds) || std::abs(seconds) > 1e13)
        return std::nullopt;
    return StatusHistory::Sample{StatusHistory::fromReferenceSeconds(seconds), int(raw)};
}

std::optional<QList<StatusHistory::Sample>> decodeSamples(const QJsonValue &value)
{
    if (!value.isArray())
        return std::nullopt;
    QList<StatusHistory::Sample> samples;
    const QJsonArray array = value.toArray();
    samples.reserve(array.size());
    for (const QJsonValue &item : array) {
        std::optional<StatusHistory::Sample> sample = decodeSample(item);
        if (!sample)
            return std::nullopt;
        samples.append(*sample);
    }
    return samples;
}

} // namespace

StatusHistory::StatusHistory(QString filePath)
    : m_filePath(std::move(filePath))
{
    const ReadResult file = AtomicFile::read(m_filePath, maxFileSize);
    if (file.bytes)
        m_samples = decode(*file.bytes).value_or(QHash<QUuid, QList<Sample>>{});
}

QString StatusHistory::defaultFilePath()
{
    return ServiceStore().directory() + QStringLiteral("/history.json");
}

double StatusHistory::referenceSeconds(const QDateTime &time)
{
    return double(time.toMSecsSinceEpoch() - referenceEpochMs) / 1000.0;
}

QDateTime StatusHistory::fromReferenceSeconds(double seconds)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(std::llround(seconds * 1000.0)) + referenceEpochMs, Qt::UTC);
}

QList<StatusHistory::Sample> StatusHistory::trimmed(QList<Sample> samples, const QDateTime &now)
{
    const QDateTime cutoff = now.addSecs(-maxAge.count());
    samples.removeIf([&cutoff](const Sample &sample) { return sample.time < cutoff; });
    if (samples.size() > maxSamples)
        samples.remove(0, samples.size() - maxSamples);
    return samples;
}

void StatusHistory::append(const QUuid &serviceID, Indicator indicator, const QDateTime &at)
{
    QList<Sample> &samples = m_samples[serviceID];
    samples.append({at, storedNumber(indicator)});
    // Keep memory bounded between writes too.
    if (samples.size() > maxSamples)
        samples.remove(0, samples.size() - maxSamples);
    m_dirty = true;
}

std::optional<QString> StatusHistory::save(const QDateTime &now)
{
    for (auto it = m_samples.begin(); it != m_samples.end();) {
        const qsizetype before = it->size();
        *it = trimmed(std::move(*it), now);
        if (it->size() != before)
            m_dirty = true;
        it = it->isEmpty() ? m_samples.erase(it) : std::next(it);
    }
    if (!m_dirty)
        return std::nullopt;

    const WriteResult written = AtomicFile::write(m_filePath, encode(m_samples));
    if (written.ok())
        m_dirty = false;
    return written.error;
}

QList<StatusHistory::Sample> StatusHistory::samples(const QUuid &serviceID) const
{
    return samples(serviceID, QDateTime::currentDateTimeUtc());
}

QList<StatusHistory::Sample> StatusHistory::samples(const QUuid &serviceID, const QDateTime &now) const
{
    return trimmed(m_samples.value(serviceID), now);
}

QList<Indicator> StatusHistory::indicators(const QUuid &serviceID) const
{
    QList<Indicator> series;
    const QList<Sample> list = samples(serviceID);
    series.reserve(list.size());
    for (const Sample &sample : list)
        series.append(indicatorFromStoredNumber(sample.indicator).value_or(Indicator::Unknown));
    return series;
}

QByteArray StatusHistory::encode(const QHash<QUuid, QList<Sample>> &samplesByService)
{
    QJsonArray top;
    for (auto it = samplesByService.constBegin(); it != samplesByService.constEnd(); ++it) {
        QJsonArray samples;
        for (const Sample &sample : it.value()) {
            samples.append(QJsonObject{{indicatorKey(), sample.indicator}, {atKey(), referenceSeconds(sample.time)}});
        }
        top.append(uuidText(it.key()));
        top.append(samples);
    }
    return QJsonDocument(top).toJson(QJsonDocument::Compact);
}

std::optional<QHash<QUuid, QList<StatusHistory::Sample>>> StatusHistory::decode(const QByteArray &data)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError)
        return std::nullopt;

    QHash<QUuid, QList<Sample>> result;
    const auto add = [&result](const QString &idText, const QJsonValue &value) {
        const std::optional<QUuid> id = parseUuid(idText);
        std::optional<QList<Sample>> samples = decodeSamples(value);
        if (!id || !samples)
            return false;
        result.insert(*id, std::move(*samples));
        return true;
    };

    if (document.isArray()) {
        const QJsonArray array = document.array();
        if (array.size() % 2 != 0)
            return std::nullopt;
        for (qsizetype i = 0; i < array.size(); i += 2) {
            if (!array.at(i).isString() || !add(array.at(i).toString(), array.at(i + 1)))
                return std::nullopt;
        }
        return result;
    }
    if (document.isObject()) {
        const QJsonObject object = document.object();
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            if (!add(it.key(), it.value()))
                return std::nullopt;
        }
        return result;
    }
    return std::nullopt;
}
