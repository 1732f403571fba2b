#include "providers/statusiopageids.h"

StatusIOPageIds::StatusIOPageIds(Clock clock)
    : m_clock(std::move(clock))
{
}

std::optional<QString> StatusIOPageIds::find(const QUrl &page) const
{
    const auto it = m_pages.constFind(page);
    if (it == m_pages.constEnd())
        return std::nullopt;
    const QDateTime now = m_clock();
    // A clock set back looks the page up again rather than trusting a finding "from the future".
    if (now < it->foundAt || it->foundAt.secsTo(now) >= std::chrono::seconds(period).count())
        return std::nullopt;
    return it->id;
}

void StatusIOPageIds::remember(const QUrl &page, const QString &id)
{
    m_pages.insert(page, {id, m_clock()});
}

void StatusIOPageIds::forget(const QUrl &page)
{
    m_pages.remove(page);
}
