// Status.io public status API document.
#include "providers/statusioprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const StatusIOProvider::DecodedDocument decoded = StatusIOProvider::decode(FuzzSupport::bytes(data, size));
    if (decoded.overall)
        (void)StatusIOProvider::evaluate(FuzzSupport::service(ProviderKind::StatusIo), *decoded.overall);
    return 0;
}
