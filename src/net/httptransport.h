#pragma once

#include "net/httpsession.h"

#include <QByteArray>
#include <QUrl>
#include <qcoro/qcorotask.h>

#include <optional>

// How an exchange of HttpSession travels, over libcurl's multi interface, behind the session.
// It follows the session's rules: no cookies or cache, redirects only between http and https
// and never down from https, the idle and total limits, the body limit, and the caller's
// Accept-Encoding left to ContentDecoding. Failures carry the codes and texts Qt's network
// classes give the same situations (see CurlErrors).
namespace HttpTransport {

// One exchange as the session asks for it; the address is already known to be a web address.
struct Exchange {
    QUrl url;
    QByteArray verb;
    QByteArray body;
    HttpHeaders headers; // including Accept-Encoding
    HttpLimits limits;
    // False: the answer is the final head, with an empty body. A short body is still read and
    // dropped, so that the connection can carry the next request.
    bool readsBody = true;
};

// What came back before decoding: a transport failure, or a status with the body as sent.
struct Raw {
    std::optional<HttpResponse> failure;
    int statusCode = -1;
    QByteArray contentEncoding;
    QByteArray body;
};

QCoro::Task<Raw> transfer(Exchange exchange);

// Failure texts of the session's own.
QString tooLargeText();
QString malformedText();
HttpResponse failure(QNetworkReply::NetworkError error, QString text);

} // namespace HttpTransport
