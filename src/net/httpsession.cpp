#include "net/httpsession.h"

#include "core/webaddress.h"
#include "net/contentdecoding.h"
#include "net/httptransport.h"

#include <QCoreApplication>

namespace HttpTransport {

QString tooLargeText()
{
    return QCoreApplication::translate("HttpSession", "The response is too large.");
}

QString malformedText()
{
    return QCoreApplication::translate("HttpSession", "Malformed response");
}

HttpResponse failure(QNetworkReply::NetworkError error, QString text)
{
    HttpResponse response;
    response.error = error;
    response.errorText = std::move(text);
    return response;
}

} // namespace HttpTransport

QString HttpResponse::failureText() const
{
    if (isTransportError())
        return errorText;
    return QStringLiteral("HTTP ") + QString::number(statusCode);
}

HttpSession::HttpSession(HttpLimits limits)
    : m_limits(limits)
{
}

QString HttpSession::timedOutText()
{
    return QCoreApplication::translate("HttpSession", "The request timed out.");
}

QCoro::Task<HttpResponse> HttpSession::get(QUrl url, HttpHeaders headers) const
{
    return send(std::move(url), QByteArrayLiteral("GET"), {}, std::move(headers));
}

QCoro::Task<HttpResponse> HttpSession::getStatus(QUrl url, HttpHeaders headers) const
{
    return send(std::move(url), QByteArrayLiteral("GET"), {}, std::move(headers), false);
}

QCoro::Task<HttpResponse> HttpSession::post(QUrl url, QByteArray body, HttpHeaders headers) const
{
    return send(std::move(url), QByteArrayLiteral("POST"), std::move(body), std::move(headers));
}

QCoro::Task<HttpResponse> HttpSession::send(QUrl url, QByteArray verb, QByteArray body, HttpHeaders headers,
                                            bool readsBody) const
{
    using namespace HttpTransport;
    if (!isWebAddress(url))
        co_return failure(QNetworkReply::ProtocolUnknownError,
                          QCoreApplication::translate("HttpSession", "Unsupported URL"));

    Exchange exchange{std::move(url), std::move(verb), std::move(body), std::move(headers), m_limits, readsBody};
    QCoro::Task<Raw> pending = transfer(std::move(exchange));
    Raw raw = co_await pending;
    if (raw.failure)
        co_return std::move(*raw.failure);

    ContentDecoding::Decoded decoded = ContentDecoding::decode(raw.contentEncoding, raw.body, maxBodySize);
    if (!decoded.body) {
        co_return decoded.failure == ContentDecoding::Failure::TooLarge
            ? failure(QNetworkReply::UnknownContentError, tooLargeText())
            : failure(QNetworkReply::ProtocolFailure, malformedText());
    }
    HttpResponse response;
    response.statusCode = raw.statusCode;
    response.body = std::move(*decoded.body);
    co_return response;
}
