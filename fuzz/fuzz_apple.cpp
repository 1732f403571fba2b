// Apple system status: cutting the JSON out of the script, then the payload and its story.
#include "providers/apple/appleprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<QByteArray> json = AppleProvider::extractJSON(FuzzSupport::bytes(data, size));
    if (!json)
        return 0;
    const Decoded<QList<AppleProvider::ServiceEntry>> decoded = AppleProvider::decode(*json);
    if (!decoded.value)
        return 0;
    ServiceStatusResult result = AppleProvider::evaluate(FuzzSupport::service(ProviderKind::Apple), *decoded.value);
    FeedStory::tell(result, AppleProvider::story(*decoded.value), FuzzSupport::checkTime());
    return 0;
}
