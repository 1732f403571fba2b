#pragma once

#include "core/indicator.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QUuid>

#include <array>
#include <chrono>
#include <functional>
#include <optional>

// How each service fared hour by hour (UTC) over the last 90 days, kept in uptime.json
// beside history.json: for the week strip and the shares over 7, 30 and 90 days that the
// few samples of the history cannot give. Only readable checks count. Main thread only.
// The windows, in days, over which the operational share is reported (the bus, the bars,
// the metrics).
inline constexpr std::array<int, 3> operationalWindows{7, 30, 90};

class UptimeRecord
{
public:
    using Clock = std::function<QDateTime()>;

    static constexpr std::chrono::hours keptFor{90 * 24};
    static constexpr std::chrono::hours writeEvery{1};
    // The file is read up to the size of a full record of this many services, at most this
    // much each (three characters an hour): a larger one is left as it is, unread.
    static constexpr qint64 servicesReadAtMost = 25'000;
    static constexpr qint64 bytesPerServiceAtMost = qint64(7) * 1024;
    static constexpr qint64 maxFileSize = servicesReadAtMost * bytesPerServiceAtMost;

    // One hour of one service, in three bytes: the record is held whole, some 2,000 hours
    // for each service.
    class Hour
    {
    public:
        Hour() = default;
        // `checks` and `operational` from 0 to 127, no more operational than checks.
        Hour(std::optional<Indicator> worst, int checks, int operational);

        // The worst readable state checked; none when no check could read the feed.
        std::optional<Indicator> worst() const;
        int checks() const { return m_checks; }
        int operational() const { return m_operational; }
        // Counts a readable check that found `indicator`. Past 127 checks both counts are
        // scaled down to 64, which keeps the share.
        void count(Indicator indicator);

        bool operator==(const Hour &) const = default;

    private:
        static constexpr qint8 nothingRead = -128;

        // The indicator's number, or nothingRead.
        qint8 m_worst = nothingRead;
        quint8 m_checks = 0;
        quint8 m_operational = 0;
    };
    static_assert(sizeof(Hour) == 3);

    // One service's hours, contiguous from firstHour (hours since the Unix epoch), with
    // empty hours where nothing was read.
    struct Series {
        // When the first check the series holds was made; the record reaches back to it.
        QDateTime since;
        qint64 firstHour = 0;
        QList<Hour> hours;

        // Counts a readable check made `at`. A check older than the series, or newer than
        // `now`, or that would make the series longer than keptFor, is dropped: hours are
        // only ever added at the end, never put in front or reordered. Returns whether the
        // check was counted.
        bool add(Indicator indicator, const QDateTime &at, const QDateTime &now);
        // Drops the hours after `now` and those before keptFor ends at `now`.
        void trim(const QDateTime &now);
        // How long before `now` the series reaches back; zero when empty.
        std::chrono::seconds reach(const QDateTime &now) const;
        // Whether it reaches back `window` before `now`, to the hour.
        bool covers(std::chrono::seconds window, const QDateTime &now) const;
        // The share of readable checks that found the service operational in the hours
        // from `from` to `now`; none without any.
        std::optional<double> share(const QDateTime &from, const QDateTime &now) const;

        bool operator==(const Series &) const = default;
    };

    // What was found at the path when the record was made. Unreadable: something is there
    // that could not be read at all (a folder, no permission, a failing disk).
    enum class Found { Nothing, Record, Broken, Foreign, Unreadable };

    // Reads the file; a damaged one is moved to <path>.broken and one of another kind to
    // <path>.foreign, and the record starts empty. One that cannot be read is left where it
    // is and never written over by this record, so that a passing fault costs the checks of
    // one run rather than 90 days.
    explicit UptimeRecord(QString filePath, Clock clock = &QDateTime::currentDateTimeUtc);

    // uptime.json in the folder of the services file.
    static QString defaultFilePath();

    QString filePath() const { return m_filePath; }
    Found found() const { return m_found; }

    // Counts a check of the service in memory; Unknown ones are not counted.
    void add(const QUuid &serviceID, Indicator indicator, const QDateTime &at);
    // The services leave the record with the next write.
    void forget(const QList<QUuid> &serviceIDs);
    void retain(const QSet<QUuid> &serviceIDs);

    // Writes the record when it changed and the last write is at least writeEvery ago.
    std::optional<QString> saveIfDue();
    // Writes the record atomically now when it changed (a clean exit). Returns why the
    // write failed; the record then stays in memory for the next attempt.
    std::optional<QString> save();

    // The service's series as it stands now.
    Series series(const QUuid &serviceID) const;
    // The share of readable checks that were operational over `window` before now, when
    // the record reaches back that far; this is what other views ask for.
    std::optional<double> share(const QUuid &serviceID, std::chrono::seconds window) const;

    struct Decoded {
        Found found = Found::Broken;
        QHash<QUuid, Series> record;
    };

    // The file's form: {"kind":"glinter-uptime","version":1,"services":[{"id","since",
    // "first","hours"}]}, "since" in seconds and "first" in hours since the Unix epoch, each
    // hour three characters of the URL-safe base64 alphabet. Decoding fails whole on any
    // damage (Broken); a readable file of another kind or version is Foreign. A series of
    // any length decodes (reading the file keeps the 90 days up to the clock's hour), and
    // decoding what encode wrote gives the same record.
    static QByteArray encode(const QHash<QUuid, Series> &record);
    static Decoded decode(const QByteArray &data);

private:
    QString m_filePath;
    Clock m_clock;
    Found m_found = Found::Nothing;
    QHash<QUuid, Series> m_record;
    std::optional<QDateTime> m_lastWrite;
    bool m_dirty = false;
};
