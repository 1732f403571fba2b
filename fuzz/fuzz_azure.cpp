// The Azure RSS scan: the whole-feed check, items, grading and the items' story.
#include "providers/azure/azureprovider.h"
#include "providers/common/feedscan.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<QString> text = FeedScan::strictUtf8(FuzzSupport::bytes(data, size));
    if (!text)
        return 0;
    // Whether it is a whole feed decides only between calm and unknown; the scan runs anyway.
    (void)FeedScan::holdsWholeFeed(*text);
    const QStringList titles = AzureProvider::itemTitles(*text);
    for (const QString &title : titles) {
        if (title.isEmpty())
            __builtin_trap(); // empty titles are skipped by the scan
    }
    (void)AzureProvider::evaluate(FuzzSupport::service(ProviderKind::Azure), titles);
    (void)AzureProvider::story(AzureProvider::items(*text));
    // The description cleaner on its own, with the whole input as the description.
    (void)FeedScan::plainText(*text);
    return 0;
}
