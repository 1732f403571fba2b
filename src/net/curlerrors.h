#pragma once

#include "net/httpsession.h"

#include <QUrl>

#include <curl/curl.h>

// libcurl's failures told as Qt's access manager tells the same situations, with the same
// codes and texts (in Qt's translation context), so that readers and users see no
// difference between the two backends.
namespace CurlErrors {

// A transfer that ended with `code`; `errors` is its error buffer.
HttpResponse failure(CURLcode code, CURL *easy, const char *errors, const QUrl &url, bool viaProxy);

HttpResponse tooManyRedirects();
HttpResponse insecureRedirect();
HttpResponse proxyAuthenticationRequired();

} // namespace CurlErrors
