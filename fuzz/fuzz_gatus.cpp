// Gatus endpoint statuses: the list of endpoints and the state of their latest results.
#include "providers/gatusprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Decoded<QList<GatusProvider::Endpoint>> decoded = GatusProvider::decode(FuzzSupport::bytes(data, size));
    if (decoded.value)
        (void)GatusProvider::evaluate(FuzzSupport::service(ProviderKind::Gatus), *decoded.value);
    return 0;
}
