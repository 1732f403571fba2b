// AWS Health feed: UTF-16 decoding, JSON events and the region filter.
#include "providers/awsprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const AWSProvider::DecodedEvents decoded = AWSProvider::decode(FuzzSupport::bytes(data, size));
    if (!decoded.events)
        return 0;
    const Service service = FuzzSupport::service(ProviderKind::Aws);
    (void)AWSProvider::evaluate(service, *decoded.events, {});
    (void)AWSProvider::evaluate(service, *decoded.events, {QStringLiteral("us-east-1"), QString()});
    return 0;
}
