// Apple system status: cutting the JSON out of the script, then the payload.
#include "providers/appleprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<QByteArray> json = AppleProvider::extractJSON(FuzzSupport::bytes(data, size));
    if (!json)
        return 0;
    const AppleProvider::DecodedPayload decoded = AppleProvider::decode(*json);
    if (decoded.services)
        (void)AppleProvider::evaluate(FuzzSupport::service(ProviderKind::Apple), *decoded.services);
    return 0;
}
