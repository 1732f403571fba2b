#pragma once

#include "net/httpsession.h"
#include "providers/common/feedstory.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>

#include <chrono>

// Reads the xAI status page's RSS feed. Its items are incident posts whose HTML
// description carries "Status:" and "Severity:" lines; the items still open and recent
// are graded by keywords.
class XAIProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(XAIProvider)

public:
    // One item of the feed: an incident or a maintenance post.
    struct Post {
        QString title;
        Indicator indicator = Indicator::Minor;
        bool isMaintenance = false;
        // The "Status:" word in lower case; empty without one.
        QString status;
        // The "Severity:" text.
        QString severity;
        // The description without its Status and Severity lines, as plain text.
        QString text;
        QUrl link;
        // Invalid when the item has no readable date.
        QDateTime published;
        bool operator==(const Post &) const = default;
    };

    // Posts older than this are ignored even when nobody closed them.
    static constexpr std::chrono::seconds maxAge{72 * 3600};

    explicit XAIProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    static QUrl feed();

    // The open posts of a feed at the check time `now`, in feed order.
    static QList<Post> activePosts(QStringView feedText, const QDateTime &now);

    static ServiceStatusResult evaluate(const Service &service, const QList<Post> &posts);

    // The incident posts as incidents, the maintenance posts as windows. The feed gives a
    // post's date, not a window's times: a maintenance counts as in progress unless its
    // status says it is still to come.
    static FeedStory::Story story(const QList<Post> &posts);

    // The value after "name:" up to the end of its line or the next tag; empty if absent.
    static QString field(QStringView name, QStringView text);

    static Indicator indicator(const QString &severity, const QString &title);

    // The feed's own grade of an incident, from its Severity text alone (the title's words
    // grade the row, not the incident); nothing for a word it does not know.
    static std::optional<Indicator> impact(const QString &severity);

private:
    HttpSession m_session;
};
