// Google Cloud incidents archive and the open incidents' story.
#include "providers/gcpprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const GCPProvider::DecodedIncidents decoded = GCPProvider::decode(FuzzSupport::bytes(data, size));
    if (!decoded.incidents)
        return 0;
    (void)GCPProvider::evaluate(FuzzSupport::service(ProviderKind::Gcp), *decoded.incidents);
    (void)GCPProvider::story(*decoded.incidents);
    return 0;
}
