#pragma once

#include <QUrl>

// The one rule for addresses the program requests or opens: a valid http or https URL with
// a host. Anything else (file:, mailto:, a path, "httpx://…") is never fetched, probed,
// posted to or handed to the browser.
bool isWebAddress(const QUrl &url);
