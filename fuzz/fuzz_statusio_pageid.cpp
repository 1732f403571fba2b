// The page identifier search over a Status.io page's HTML.
#include "core/webaddress.h"
#include "providers/common/feedscan.h"
#include "providers/statusio/statusioprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<QString> html = FeedScan::strictUtf8(FuzzSupport::bytes(data, size));
    if (!html)
        return 0;
    const std::optional<QString> id = StatusIOProvider::pageId(*html);
    if (id) {
        if (!isWebAddress(StatusIOProvider::apiUrl(StatusIOProvider::defaultApiOrigin(), *id)))
            __builtin_trap(); // a hexadecimal identifier always makes a usable address
        const QUrl page = FuzzSupport::service(ProviderKind::StatusIo).url;
        if (!isWebAddress(StatusIOProvider::postUrl(page, u"incident", *id, *id)))
            __builtin_trap(); // and so do the links of the page's posts
    }
    return 0;
}
