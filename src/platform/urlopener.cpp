#include "platform/urlopener.h"

#include "core/webaddress.h"

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

bool openWebPage(const QUrl &url)
{
    if (!isWebAddress(url))
        return false;
    std::unique_ptr<UrlOpener> &opener = currentOpener();
    if (!opener)
        opener = makeUrlOpener();
    opener->open(url);
    return true;
}
