#pragma once

#include "core/servicestatusresult.h"
#include "providers/providercontext.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

#include <chrono>
#include <functional>

// The planned maintenance each page announced when it was last asked. A page's state is read
// on every refresh, but its calendar changes rarely and costs a larger document, so it is
// read at most once per period and the windows are kept in between. Kept in the provider
// context, which whoever runs checks holds across refreshes (the monitor); without one, a
// provider reads the calendar on every check. Main thread only.
class MaintenanceCalendar final : public ProviderMemory
{
public:
    using Clock = std::function<QDateTime()>;

    static constexpr std::chrono::minutes period{60};

    // `clock` tells the current time in UTC; tests move it.
    explicit MaintenanceCalendar(Clock clock = &QDateTime::currentDateTimeUtc);

    QDateTime now() const { return m_clock(); }

    // Whether the page's calendar should be read: never read yet, or last read a period ago.
    bool isDue(const QString &page) const;

    // The windows last read for the page; empty when never read.
    QList<Maintenance> windows(const QString &page) const;

    // A reading of the page's calendar, now. A failed reading (no windows) keeps the last
    // ones and still counts, so that a page without a calendar is not asked on every refresh.
    void record(const QString &page, const std::optional<QList<Maintenance>> &windows);

private:
    struct Entry {
        QDateTime readAt;
        QList<Maintenance> windows;
    };

    Clock m_clock;
    QHash<QString, Entry> m_pages;
};
