#pragma once

#include "net/httpsession.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>

// Watches a website or server that has no status page: one timed GET of the address,
// graded by its HTTP status code; the body is not read. An unreachable site is down
// (Critical), never Unknown, so the monitor does not retry it.
class WebsiteProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(WebsiteProvider)

public:
    struct Classification {
        Indicator indicator;
        QString text;
        bool operator==(const Classification &) const = default;
    };

    explicit WebsiteProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    static Classification classify(int statusCode);

    // A short text for a transport failure; errors without one of their own keep the
    // client's description.
    static QString errorText(QNetworkReply::NetworkError error, const QString &description);

    // Sent so that sites which turn away unknown clients answer as they would a browser.
    static QByteArray userAgent();

    // " · ", between the parts of a description.
    static QString separator();

private:
    HttpSession m_session;
};
