// Instatus summary document: the state and the story of incidents and maintenance windows.
#include "providers/instatus/instatusprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Decoded<InstatusProvider::Document> decoded = InstatusProvider::decode(FuzzSupport::bytes(data, size));
    if (decoded.value)
        (void)InstatusProvider::evaluate(FuzzSupport::service(ProviderKind::Instatus), *decoded.value,
                                         FuzzSupport::checkTime());
    return 0;
}
