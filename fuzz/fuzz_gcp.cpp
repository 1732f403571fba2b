// Google Cloud incidents archive.
#include "providers/gcpprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const GCPProvider::DecodedIncidents decoded = GCPProvider::decode(FuzzSupport::bytes(data, size));
    if (decoded.incidents)
        (void)GCPProvider::evaluate(FuzzSupport::service(ProviderKind::Gcp), *decoded.incidents);
    return 0;
}
