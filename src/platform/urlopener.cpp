#include "platform/urlopener.h"

#include "core/webaddress.h"

bool openWebPage(UrlOpener &opener, const QUrl &url)
{
    if (!isWebAddress(url))
        return false;
    opener.open(url);
    return true;
}
