#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// The webhook address as the user typed it, and the usable address derived from it on
// every read.
namespace WebhookPrefs {

QString rawAddress();
void setAddress(const QString &address);

// The address trimmed of blanks and line breaks, if it parses with a scheme that starts
// with lower-case "http" and has a host.
std::optional<QUrl> url();
bool isConfigured();

// The rule behind url(), for any text.
std::optional<QUrl> usableAddress(const QString &typed);

} // namespace WebhookPrefs
