#pragma once

#include "net/httpsession.h"
#include "providers/statusprovider.h"

#include <QDateTime>
#include <QList>

#include <chrono>

// Reads the xAI status page's RSS feed. Its items are incident posts whose HTML
// description carries "Status:" and "Severity:" lines; the items still open and recent
// are graded by keywords.
class XAIProvider final : public StatusProvider
{
public:
    struct Incident {
        QString title;
        Indicator indicator = Indicator::Minor;
        bool isMaintenance = false;
        bool operator==(const Incident &) const = default;
    };

    // Posts older than this are ignored even when nobody closed them.
    static constexpr std::chrono::seconds maxAge{72 * 3600};

    explicit XAIProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(const Service &service) override;

    static QUrl feed();

    // The open incidents of a feed at the check time `now`, in feed order.
    static QList<Incident> activeIncidents(QStringView feedText, const QDateTime &now);

    static ServiceStatusResult evaluate(const Service &service, const QList<Incident> &incidents);

    // The cleaned content of the first element `name` (CDATA removed, trimmed).
    static std::optional<QString> tagText(QStringView name, QStringView text);

    // The value after "name:" up to the end of its line or the next tag; empty if absent.
    static QString field(QStringView name, QStringView text);

    static Indicator indicator(const QString &severity, const QString &title);

    // An RFC 822 date as RSS writes it ("Tue, 10 Jun 2025 14:05:00 GMT").
    static std::optional<QDateTime> parsePubDate(QStringView text);

private:
    HttpSession m_session;
};
