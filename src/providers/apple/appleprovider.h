#pragma once

#include "net/httpsession.h"
#include "providers/common/feedstory.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>
#include <QList>

// Reads Apple's system status, published as a script data file in a consumer and a
// developer edition, and reports the services that have open events.
class AppleProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(AppleProvider)

public:
    struct Event {
        std::optional<QString> messageType;
        std::optional<QString> eventStatus;
        std::optional<QString> statusType;
        // Read leniently: a wrong type leaves them empty.
        QString message;
        QDateTime startsAt;
        QDateTime endsAt;
    };

    struct ServiceEntry {
        QString serviceName;
        QList<Event> events;
    };

    explicit AppleProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    static QUrl consumerFeed();
    static QUrl developerFeed();

    // The developer edition for an address on the developer site, else the consumer one.
    static QUrl feed(const QUrl &serviceUrl);

    // The JSON object inside the script: from the first "{" through the last "}".
    static std::optional<QByteArray> extractJSON(const QByteArray &body);

    static Decoded<QList<ServiceEntry>> decode(const QByteArray &json);
    static ServiceStatusResult evaluate(const Service &service, const QList<ServiceEntry> &services);

    // Each open event as an incident titled by its service, except maintenance events,
    // which are windows. The feed has no page per event, so there are no links.
    static FeedStory::Story story(const QList<ServiceEntry> &services);

    // The first present of eventStatus, messageType, statusType, lower-cased.
    static QString state(const Event &event);
    static bool isOpen(const Event &event);
    static bool isMaintenance(const Event &event);
    // None when closed, Major for an outage, Minor otherwise.
    static Indicator severity(const Event &event);

private:
    HttpSession m_session;
};
