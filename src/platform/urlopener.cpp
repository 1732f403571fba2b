#include "platform/urlopener.h"

namespace {

std::unique_ptr<UrlOpener> &currentOpener()
{
    static std::unique_ptr<UrlOpener> opener;
    return opener;
}

} // namespace

void setUrlOpener(std::unique_ptr<UrlOpener> opener)
{
    currentOpener() = std::move(opener);
}

bool isWebPage(const QUrl &url)
{
    const QString scheme = url.scheme();
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

bool openWebPage(const QUrl &url)
{
    if (!isWebPage(url))
        return false;
    std::unique_ptr<UrlOpener> &opener = currentOpener();
    if (!opener)
        opener = makeUrlOpener();
    opener->open(url);
    return true;
}
