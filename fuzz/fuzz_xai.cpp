// The xAI RSS scan: items, fields, publication dates and grading.
#include "providers/feedscan.h"
#include "providers/xaiprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<QString> text = FeedScan::strictUtf8(FuzzSupport::bytes(data, size));
    if (!text)
        return 0;
    const QList<XAIProvider::Incident> incidents = XAIProvider::activeIncidents(*text, FuzzSupport::checkTime());
    (void)XAIProvider::evaluate(FuzzSupport::service(ProviderKind::Xai), incidents);
    // The date parser on its own, with the whole input as the date text.
    (void)XAIProvider::parsePubDate(*text);
    return 0;
}
