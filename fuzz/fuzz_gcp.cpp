// Google Cloud incidents archive and the open incidents' story.
#include "providers/gcp/gcpprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Decoded<QList<GCPProvider::Incident>> decoded = GCPProvider::decode(FuzzSupport::bytes(data, size));
    if (!decoded.value)
        return 0;
    (void)GCPProvider::evaluate(FuzzSupport::service(ProviderKind::Gcp), *decoded.value);
    (void)GCPProvider::story(*decoded.value);
    return 0;
}
