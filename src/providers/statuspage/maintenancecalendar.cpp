#include "providers/statuspage/maintenancecalendar.h"

MaintenanceCalendar::MaintenanceCalendar(Clock clock)
    : m_clock(std::move(clock))
{
}

bool MaintenanceCalendar::isDue(const QString &page) const
{
    const auto it = m_pages.constFind(page);
    if (it == m_pages.constEnd())
        return true;
    const QDateTime now = m_clock();
    // A clock set back reads the calendar again rather than trusting a reading "from the future".
    return now < it->readAt || it->readAt.secsTo(now) >= std::chrono::seconds(period).count();
}

QList<Maintenance> MaintenanceCalendar::windows(const QString &page) const
{
    return m_pages.value(page).windows;
}

void MaintenanceCalendar::record(const QString &page, const std::optional<QList<Maintenance>> &windows)
{
    Entry &entry = m_pages[page];
    entry.readAt = m_clock();
    if (windows)
        entry.windows = *windows;
}
