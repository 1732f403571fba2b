#pragma once

#include "net/httpsession.h"
#include "providers/statusprovider.h"

#include <QStringList>

// Reads the Azure status RSS feed, where every item is a current incident, and grades
// each item by keywords in its title.
class AzureProvider final : public StatusProvider
{
public:
    explicit AzureProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(const Service &service) override;

    static QUrl feed();

    // The non-empty titles of the feed's items, in feed order.
    static QStringList itemTitles(QStringView feedText);

    // The text of the first element `tag`; for an opening tag with attributes, the text
    // after the tag's closing bracket.
    static std::optional<QString> firstTagText(QStringView tag, QStringView text);

    static Indicator indicator(const QString &title);

    static ServiceStatusResult evaluate(const Service &service, const QStringList &titles);

private:
    HttpSession m_session;
};
