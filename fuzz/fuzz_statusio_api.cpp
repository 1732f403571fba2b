// Status.io public status API document, with its incidents and maintenance.
#include "providers/statusio/statusioprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Service service = FuzzSupport::service(ProviderKind::StatusIo);
    const Decoded<StatusIOProvider::Document> decoded = StatusIOProvider::decode(
        FuzzSupport::bytes(data, size), service.url, QStringLiteral("5b36dc65"));
    if (!decoded.value)
        return 0;
    ServiceStatusResult result = StatusIOProvider::evaluate(service, decoded.value->overall);
    FeedStory::tell(result, decoded.value->story, FuzzSupport::checkTime());
    return 0;
}
