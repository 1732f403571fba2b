// Apple system status: cutting the JSON out of the script, then the payload and its story.
#include "providers/appleprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<QByteArray> json = AppleProvider::extractJSON(FuzzSupport::bytes(data, size));
    if (!json)
        return 0;
    const AppleProvider::DecodedPayload decoded = AppleProvider::decode(*json);
    if (!decoded.services)
        return 0;
    ServiceStatusResult result = AppleProvider::evaluate(FuzzSupport::service(ProviderKind::Apple), *decoded.services);
    FeedStory::tell(result, AppleProvider::story(*decoded.services), FuzzSupport::checkTime());
    return 0;
}
