// Better Stack status page document: the aggregate state, the resources and the status reports, whole
// and narrowed to the resources it lists.
#include "providers/betterstack/betterstackprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Decoded<BetterStackProvider::Document> decoded = BetterStackProvider::decode(FuzzSupport::bytes(data, size));
    if (!decoded.value)
        return 0;
    (void)BetterStackProvider::evaluate(FuzzSupport::service(ProviderKind::BetterStack), *decoded.value,
                                        FuzzSupport::checkTime());
    const Service narrowed = FuzzSupport::narrowed(ProviderKind::BetterStack,
                                                   BetterStackProvider::components(*decoded.value));
    (void)BetterStackProvider::evaluate(narrowed, *decoded.value, FuzzSupport::checkTime());
    return 0;
}
