#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkReply>
#include <QPair>
#include <QString>
#include <QUrl>
#include <qcoro/qcorotask.h>

#include <chrono>
#include <optional>

using HttpHeaders = QList<QPair<QByteArray, QByteArray>>;

// The time limits of one exchange: `idle` without receiving data, `total` for all of it.
struct HttpLimits {
    std::chrono::milliseconds idle{std::chrono::seconds(10)};
    std::chrono::milliseconds total{std::chrono::seconds(12)};
};

// The outcome of one exchange. Either a transport failure (error() set; no usable status)
// or an HTTP response with a status code and the whole body.
struct HttpResponse {
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QString errorText;
    int statusCode = -1; // -1: no HTTP status was received
    QByteArray body;

    bool isTransportError() const { return error != QNetworkReply::NoError; }
    bool isSuccess() const { return !isTransportError() && statusCode >= 200 && statusCode <= 299; }

    // The shared failure description for a response that is not a success: the
    // transport error's text, or "HTTP " and the status code.
    QString failureText() const;
};

// Requests of the feed providers and the webhook, over libcurl's multi interface driven by the
// event loop. Every exchange goes out with no cookies
// sent or kept, no cache read or written, no stored credentials, redirects followed
// (never from https down to http), and the limits above; both limits end the exchange as
// a timed-out transport error. Only http and https addresses are ever requested.
// Sessions are cheap handles: they share one connection pool per thread.
class HttpSession
{
public:
    explicit HttpSession(HttpLimits limits = {});

    // The session must outlive the task.
    QCoro::Task<HttpResponse> get(QUrl url, HttpHeaders headers = {}) const;
    // A GET judged by its answer's status line and head alone, for probing a site: the
    // exchange ends once the final head is in, so no body is read, waited for or held to the
    // body limit (a download mirror or an endless stream answers at once); the response's
    // body is empty. Redirects are followed as by get().
    QCoro::Task<HttpResponse> getStatus(QUrl url, HttpHeaders headers = {}) const;
    QCoro::Task<HttpResponse> post(QUrl url, QByteArray body, HttpHeaders headers = {}) const;

    // Largest body accepted; a longer one ends the exchange as a transport error.
    static constexpr qint64 maxBodySize = qint64(64) * 1024 * 1024;

    // The text of a timed-out exchange, the same for both limits.
    static QString timedOutText();

private:
    QCoro::Task<HttpResponse> send(QUrl url, QByteArray verb, QByteArray body, HttpHeaders headers,
                                   bool readsBody = true) const;

    HttpLimits m_limits;
};
