#pragma once

#include "net/httpsession.h"
#include "providers/common/feedstory.h"
#include "providers/statusprovider.h"

#include <QStringList>

// Reads the Azure status RSS feed, where every item is a current incident, and grades
// each item by keywords in its title.
class AzureProvider final : public StatusProvider
{
public:
    struct Item {
        QString title;
        // The description as plain text.
        QString text;
        QUrl link;
        // Invalid when the item has no readable date.
        QDateTime published;
        bool operator==(const Item &) const = default;
    };

    explicit AzureProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    static QUrl feed();

    // The items with a non-empty title, in feed order.
    static QList<Item> items(QStringView feedText);

    // The non-empty titles of the feed's items, in feed order.
    static QStringList itemTitles(QStringView feedText);

    static Indicator indicator(const QString &title);

    static ServiceStatusResult evaluate(const Service &service, const QStringList &titles);

    // Every item as an incident. The feed neither names a stage nor grades its items; an
    // item's date is the nearest it comes to a start.
    static FeedStory::Story story(const QList<Item> &items);

private:
    HttpSession m_session;
};
