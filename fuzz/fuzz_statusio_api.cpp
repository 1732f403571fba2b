// Status.io public status API document, with its incidents and maintenance.
#include "providers/statusioprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Service service = FuzzSupport::service(ProviderKind::StatusIo);
    const StatusIOProvider::DecodedDocument decoded = StatusIOProvider::decode(FuzzSupport::bytes(data, size),
                                                                               service.url, QStringLiteral("5b36dc65"));
    if (!decoded.overall)
        return 0;
    ServiceStatusResult result = StatusIOProvider::evaluate(service, *decoded.overall);
    FeedStory::tell(result, decoded.story, FuzzSupport::checkTime());
    return 0;
}
