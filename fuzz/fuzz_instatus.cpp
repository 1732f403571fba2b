// Instatus documents: the summary for the state and the story of incidents and maintenance
// windows, and the component list for the picker and a narrowed check (each input is read
// as both).
#include "providers/instatus/instatusprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzSupport::bytes(data, size);
    const Decoded<InstatusProvider::Document> decoded = InstatusProvider::decode(bytes);
    if (decoded.value)
        (void)InstatusProvider::evaluate(FuzzSupport::service(ProviderKind::Instatus), *decoded.value,
                                         FuzzSupport::checkTime());
    const Decoded<QList<PageComponent>> components = InstatusProvider::decodeComponents(bytes);
    if (components.value)
        (void)InstatusProvider::evaluateComponents(FuzzSupport::narrowed(ProviderKind::Instatus, *components.value),
                                                   *components.value);
    return 0;
}
