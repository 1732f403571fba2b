// AWS Health feed: UTF-16 decoding, JSON events, the region filter and the events' story.
#include "providers/awsprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const AWSProvider::DecodedEvents decoded = AWSProvider::decode(FuzzSupport::bytes(data, size));
    if (!decoded.events)
        return 0;
    const Service service = FuzzSupport::service(ProviderKind::Aws);
    (void)AWSProvider::evaluate(service, *decoded.events, {});
    const QSet<QString> regions{QStringLiteral("us-east-1"), QString()};
    (void)AWSProvider::evaluate(service, *decoded.events, regions);
    (void)AWSProvider::story(*decoded.events, regions);
    return 0;
}
