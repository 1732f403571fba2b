#include "alerts/webhookprefs.h"

#include "core/preferences.h"
#include "core/webaddress.h"

namespace WebhookPrefs {

namespace {

QString addressKey()
{
    return QStringLiteral("webhookURL");
}

} // namespace

QString rawAddress()
{
    return Preferences::stringValue(addressKey());
}

void setAddress(const QString &address)
{
    Preferences::setValue(addressKey(), address);
}

std::optional<QUrl> usableAddress(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const QUrl parsed(text, QUrl::StrictMode);
    // The address the session will post to; QUrl lower-cases the scheme, so the scheme
    // written in capitals is refused on the typed text.
    if (!isWebAddress(parsed) || !text.startsWith(u"http"))
        return std::nullopt;
    return parsed;
}

std::optional<QUrl> url()
{
    return usableAddress(rawAddress());
}

bool isConfigured()
{
    return url().has_value();
}

} // namespace WebhookPrefs
