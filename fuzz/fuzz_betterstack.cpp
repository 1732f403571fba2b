// Better Stack status page document: the aggregate state, the resources and the status reports.
#include "providers/betterstackprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Decoded<BetterStackProvider::Document> decoded = BetterStackProvider::decode(FuzzSupport::bytes(data, size));
    if (decoded.value)
        (void)BetterStackProvider::evaluate(FuzzSupport::service(ProviderKind::BetterStack), *decoded.value,
                                            FuzzSupport::checkTime());
    return 0;
}
