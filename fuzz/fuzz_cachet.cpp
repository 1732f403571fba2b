// Cachet API documents: the components list for the state, the incidents list for the story
// (each input is read as both).
#include "providers/cachetprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzSupport::bytes(data, size);
    const CachetProvider::Story story = CachetProvider::decodeStory(bytes, FuzzSupport::checkTime());
    const Decoded<CachetProvider::Document> decoded = CachetProvider::decode(bytes);
    if (decoded.value)
        (void)CachetProvider::evaluate(FuzzSupport::service(ProviderKind::Cachet), *decoded.value, story);
    return 0;
}
