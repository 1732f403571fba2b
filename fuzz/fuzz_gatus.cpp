// Gatus endpoint statuses: the list of endpoints and the state of their latest results,
// for the whole dashboard and narrowed to the endpoints it lists.
#include "providers/gatus/gatusprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Decoded<QList<GatusProvider::Endpoint>> decoded = GatusProvider::decode(FuzzSupport::bytes(data, size));
    if (!decoded.value)
        return 0;
    (void)GatusProvider::evaluate(FuzzSupport::service(ProviderKind::Gatus), *decoded.value);
    (void)GatusProvider::evaluate(FuzzSupport::narrowed(ProviderKind::Gatus, GatusProvider::components(*decoded.value)),
                                  *decoded.value);
    return 0;
}
