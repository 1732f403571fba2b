#pragma once

#include "net/httpsession.h"
#include "providers/common/feedstory.h"
#include "providers/providercontext.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>
#include <QList>
#include <QSet>

// Reads the public AWS Health current-events feed (all regions), keeps the active events
// of the regions the user selected and reports the worst.
class AWSProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(AWSProvider)

public:
    struct Event {
        std::optional<QString> status;
        std::optional<QString> summary;
        std::optional<QString> regionName;
        std::optional<QString> arn;
        // Read leniently: a wrong type leaves them empty.
        QString serviceName;
        QDateTime startedAt;
        // The latest entry of the event's log.
        QString latestMessage;
        QDateTime latestAt;
    };

    // Events of other regions than `regions` do not count; empty means all count.
    explicit AWSProvider(HttpSession session, QSet<QString> regions = {});
    // The provider of the regions the context's settings name, as they are when the check starts.
    static std::unique_ptr<StatusProvider> make(const HttpSession &session, const ProviderContext &context);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    static QUrl feed();

    // The body as UTF-16 text: a byte-order mark decides the byte order, big-endian
    // without one. Absent for an odd length or a broken surrogate pair.
    static std::optional<QString> decodeUtf16(const QByteArray &body);

    // The feed's bytes (UTF-16) to events; "Decode error" when the text is not UTF-16.
    static Decoded<QList<Event>> decode(const QByteArray &body);

    // The region code inside an event's ARN (the fourth ":"-separated piece), or empty.
    static QString regionCode(const Event &event);

    // Minor, Major, Critical for an active event, None otherwise.
    static Indicator severity(const Event &event);

    // `regions` empty: every region counts.
    static ServiceStatusResult evaluate(const Service &service, const QList<Event> &events,
                                        const QSet<QString> &regions);

    // The events that count, as incidents. The feed grades them but names no stage and
    // links no page.
    static FeedStory::Story story(const QList<Event> &events, const QSet<QString> &regions);

private:
    HttpSession m_session;
    QSet<QString> m_regions;
};
