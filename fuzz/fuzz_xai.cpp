// The xAI RSS scan: the whole-feed check, items, fields, publication dates, grading and the posts' story.
#include "providers/common/feedscan.h"
#include "providers/xai/xaiprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<QString> text = FeedScan::strictUtf8(FuzzSupport::bytes(data, size));
    if (!text)
        return 0;
    // Whether it is a whole feed decides only between calm and unknown; the scan runs anyway.
    (void)FeedScan::holdsWholeFeed(*text);
    const QList<XAIProvider::Post> posts = XAIProvider::activePosts(*text, FuzzSupport::checkTime());
    ServiceStatusResult result = XAIProvider::evaluate(FuzzSupport::service(ProviderKind::Xai), posts);
    FeedStory::tell(result, XAIProvider::story(posts), FuzzSupport::checkTime());
    // The date parser on its own, with the whole input as the date text.
    (void)FeedScan::pubDate(*text);
    return 0;
}
