#pragma once

#include "net/httpsession.h"

#include <QByteArray>
#include <QUrl>
#include <qcoro/qcorotask.h>

#include <optional>

// The two ways an exchange of HttpSession travels (Qt's access manager, libcurl's multi
// interface), behind the session. Both follow the session's rules: no cookies or cache,
// redirects only between http and https and never down from https, the idle and total limits,
// the body limit, the caller's Accept-Encoding left to ContentDecoding, and the same error
// codes and texts for the same failures.
namespace HttpTransport {

// One exchange as the session asks for it; the address is already known to be a web address.
struct Exchange {
    QUrl url;
    QByteArray verb;
    QByteArray body;
    HttpHeaders headers; // including Accept-Encoding
    HttpLimits limits;
};

// What came back before decoding: a transport failure, or a status with the body as sent.
struct Raw {
    std::optional<HttpResponse> failure;
    int statusCode = -1;
    QByteArray contentEncoding;
    QByteArray body;
};

QCoro::Task<Raw> viaQt(Exchange exchange);
QCoro::Task<Raw> viaCurl(Exchange exchange);

// The failure texts both share.
QString tooLargeText();
QString malformedText();
HttpResponse failure(QNetworkReply::NetworkError error, QString text);

} // namespace HttpTransport
