#include "providers/website/websiteprovider.h"

#include <chrono>

WebsiteProvider::WebsiteProvider(HttpSession session)
    : m_session(session)
{
}

QByteArray WebsiteProvider::userAgent()
{
    return QByteArrayLiteral("Mozilla/5.0 (Macintosh) Glinter/1.0");
}

QString WebsiteProvider::separator()
{
    return QStringLiteral(" \u00B7 ");
}

WebsiteProvider::Classification WebsiteProvider::classify(int statusCode)
{
    if (statusCode >= 200 && statusCode <= 399)
        return {Indicator::None, tr("Online")};
    if (statusCode == 401 || statusCode == 403)
        return {Indicator::Minor, tr("Restricted")};
    if (statusCode == 429)
        return {Indicator::Minor, tr("Rate limited")};
    if (statusCode >= 400 && statusCode <= 499)
        return {Indicator::Major, tr("Client error")};
    if (statusCode >= 500 && statusCode <= 599)
        return {Indicator::Critical, tr("Server error")};
    return {Indicator::Major, tr("Unexpected")};
}

QString WebsiteProvider::errorText(QNetworkReply::NetworkError error, const QString &description)
{
    switch (error) {
    case QNetworkReply::TimeoutError:
        return tr("Timed out");
    case QNetworkReply::HostNotFoundError:
        return tr("Host not found");
    case QNetworkReply::ConnectionRefusedError:
        return tr("Connection refused");
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
        return tr("No internet");
    case QNetworkReply::RemoteHostClosedError:
        return tr("Connection lost");
    case QNetworkReply::SslHandshakeFailedError:
        return tr("TLS error");
    default:
        break;
    }
    return description;
}

QCoro::Task<ServiceStatusResult> WebsiteProvider::fetch(Service service)
{
    using namespace std::chrono;
    const HttpSession session = m_session;
    static const HttpHeaders headers{{QByteArrayLiteral("User-Agent"), userAgent()}};
    const auto start = steady_clock::now();
    // The status line and head decide; a large or endless body is no sign of trouble.
    QCoro::Task<HttpResponse> responseTask = session.getStatus(service.url, headers);
    const HttpResponse response = co_await responseTask;
    if (response.isTransportError()) {
        co_return makeResult(service, Indicator::Critical,
                             tr("Offline") + separator() + errorText(response.error, response.errorText));
    }

    const QString latency = QString::number(duration_cast<milliseconds>(steady_clock::now() - start).count())
                            + QStringLiteral(" ms");
    if (response.statusCode < 0)
        co_return makeResult(service, Indicator::None, tr("Online") + separator() + latency);

    const Classification graded = classify(response.statusCode);
    co_return makeResult(service, graded.indicator,
                         graded.text + separator() + QStringLiteral("HTTP ") + QString::number(response.statusCode)
                             + separator() + latency);
}
