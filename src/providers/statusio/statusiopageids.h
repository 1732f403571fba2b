#pragma once

#include "providers/providercontext.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <optional>

// The identifiers Status.io pages were found to have. Finding one costs a download of the
// page's whole HTML before the status can be asked for, and a page keeps its identifier, so
// it is looked up again only once a period or when the status API stops taking it. Kept in
// the provider context, which whoever runs checks holds across refreshes (the monitor);
// without one, every check reads the page first. With a file, what was found outlives the
// process (a cache: a missing or unreadable file is an empty memory, a failed write is
// forgotten). Main thread only.
class StatusIOPageIds final : public ProviderMemory
{
public:
    using Clock = std::function<QDateTime()>;

    static constexpr std::chrono::hours period{24};

    // `clock` tells the current time in UTC; tests move it. A non-empty `file` is read now
    // and written whenever an identifier is found or dropped.
    explicit StatusIOPageIds(Clock clock = &QDateTime::currentDateTimeUtc, QString file = {});

    // The context's memory: kept in "statusio-pages.json" in `folder`, or in memory only
    // when it is empty.
    static std::shared_ptr<ProviderMemory> make(const QString &folder);

    // The page's identifier when it was found within the period.
    std::optional<QString> find(const QUrl &page) const;

    // The identifier just read from the page.
    void remember(const QUrl &page, const QString &id);
    void forget(const QUrl &page);

private:
    void save() const;

    struct Entry {
        QString id;
        QDateTime foundAt;
    };

    Clock m_clock;
    QString m_file;
    QHash<QUrl, Entry> m_pages;
};
