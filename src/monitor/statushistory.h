#pragma once

#include "core/indicator.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QUuid>

#include <chrono>
#include <optional>

// Recent status samples per service, for the sparklines, kept in history.json beside the
// services file. Small by construction: per service at most a week and at most 96 samples.
// Main thread only.
class StatusHistory
{
public:
    struct Sample {
        QDateTime time;
        int indicator = 0; // Indicator's stored number; the file may hold others

        bool operator==(const Sample &) const = default;
    };

    static constexpr std::chrono::seconds maxAge{7 * 24 * 60 * 60};
    static constexpr qsizetype maxSamples = 96;
    // How often the file is rewritten while the program runs: a whole file of some hundred
    // kilobytes per refresh would add up to a hundred megabytes a day. A crash loses at most
    // the samples of this long; a clean exit writes them.
    static constexpr std::chrono::minutes writeEvery{15};
    // The file is read up to the size of a full history of this many services, at most this
    // much each (96 samples): a larger one reads as damaged.
    static constexpr qint64 servicesReadAtMost = 25'000;
    static constexpr qint64 bytesPerServiceAtMost = qint64(5) * 1024;
    static constexpr qint64 maxFileSize = servicesReadAtMost * bytesPerServiceAtMost;

    // Loads the file; a missing or damaged one gives an empty history (the file is left
    // alone until the next append replaces it).
    explicit StatusHistory(QString filePath);

    // history.json in the folder of the services file.
    static QString defaultFilePath();

    QString filePath() const { return m_filePath; }

    // Adds one sample in memory; save() writes it.
    void append(const QUuid &serviceID, Indicator indicator, const QDateTime &at);
    // Whether samples were added since the last good write.
    bool hasUnsaved() const { return m_dirty; }

    // Trims every service's samples against `now` (services with none left disappear) and,
    // when anything changed since the last good write, rewrites the whole file atomically,
    // once. Returns why the write failed; the file is then left as it was and the samples
    // stay in memory for the next attempt.
    std::optional<QString> save(const QDateTime &now);

    // The service's samples, oldest first, without those older than a week before `now`.
    // The stored list keeps them until the next append.
    QList<Sample> samples(const QUuid &serviceID) const;
    QList<Sample> samples(const QUuid &serviceID, const QDateTime &now) const;

    // The samples as severities (a stored value outside -1..3 reads as Unknown).
    QList<Indicator> indicators(const QUuid &serviceID) const;

    // The file's two forms: written as an array alternating identifier and sample array;
    // an object mapping identifiers to sample arrays is read too. Decoding fails whole
    // on any damage.
    static QByteArray encode(const QHash<QUuid, QList<Sample>> &samplesByService);
    static std::optional<QHash<QUuid, QList<Sample>>> decode(const QByteArray &data);

    // Seconds since 2001-01-01 00:00:00 UTC, the time base of the file.
    static double referenceSeconds(const QDateTime &time);
    static QDateTime fromReferenceSeconds(double seconds);

private:
    static QList<Sample> trimmed(QList<Sample> samples, const QDateTime &now);

    QString m_filePath;
    QHash<QUuid, QList<Sample>> m_samples;
    bool m_dirty = false;
};
