#pragma once

#include "net/httpsession.h"

#include <QUrl>

#include <curl/curl.h>

// libcurl's failures told as Qt's network classes tell the same situations, with the same
// codes and texts (in Qt's translation contexts): providers grade failures by those codes, and
// users read the wording Qt programs use.
namespace CurlErrors {

// A transfer that ended with `code`; `errors` is its error buffer.
HttpResponse failure(CURLcode code, CURL *easy, const char *errors, const QUrl &url, bool viaProxy);

HttpResponse tooManyRedirects();
HttpResponse insecureRedirect();
HttpResponse proxyAuthenticationRequired();

} // namespace CurlErrors
