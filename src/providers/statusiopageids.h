#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

// The identifiers Status.io pages were found to have. Finding one costs a download of the
// page's whole HTML before the status can be asked for, and a page keeps its identifier, so
// it is looked up again only once a period or when the status API stops taking it. Held by
// whoever runs checks across refreshes (the monitor) and lent to the reader through
// ReaderOptions; without one, every check reads the page first. Main thread only.
class StatusIOPageIds
{
public:
    using Clock = std::function<QDateTime()>;

    static constexpr std::chrono::hours period{24};

    // `clock` tells the current time in UTC; tests move it.
    explicit StatusIOPageIds(Clock clock = &QDateTime::currentDateTimeUtc);

    // The page's identifier when it was found within the period.
    std::optional<QString> find(const QUrl &page) const;

    void remember(const QUrl &page, const QString &id);
    void forget(const QUrl &page);

private:
    struct Entry {
        QString id;
        QDateTime foundAt;
    };

    Clock m_clock;
    QHash<QUrl, Entry> m_pages;
};
