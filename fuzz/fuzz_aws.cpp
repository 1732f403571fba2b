// AWS Health feed: UTF-16 decoding, JSON events, the region filter and the events' story.
#include "providers/aws/awsprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Decoded<QList<AWSProvider::Event>> decoded = AWSProvider::decode(FuzzSupport::bytes(data, size));
    if (!decoded.value)
        return 0;
    const Service service = FuzzSupport::service(ProviderKind::Aws);
    (void)AWSProvider::evaluate(service, *decoded.value, {});
    const QSet<QString> regions{QStringLiteral("us-east-1"), QString()};
    (void)AWSProvider::evaluate(service, *decoded.value, regions);
    (void)AWSProvider::story(*decoded.value, regions);
    return 0;
}
