// Cachet API documents: the components list for the state, the incidents list for the story,
// the groups list for the picker's headings (each input is read as all three), whole and
// narrowed to the components it lists, and the pagination that leads to a list's next page.
#include "providers/cachet/cachetprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzSupport::bytes(data, size);
    (void)CachetProvider::nextPage(bytes);
    const CachetProvider::Story story = CachetProvider::decodeStory(bytes, FuzzSupport::checkTime());
    const QList<CachetProvider::Group> groups = CachetProvider::decodeGroups(bytes);
    const Decoded<CachetProvider::Document> decoded = CachetProvider::decode(bytes);
    if (!decoded.value)
        return 0;
    (void)CachetProvider::evaluate(FuzzSupport::service(ProviderKind::Cachet), *decoded.value, story);
    const Service narrowed = FuzzSupport::narrowed(ProviderKind::Cachet,
                                                   CachetProvider::components(*decoded.value, groups));
    const CachetProvider::Story told = CachetProvider::decodeStory(bytes, FuzzSupport::checkTime(),
                                                                   ComponentSelection::selected(narrowed));
    (void)CachetProvider::evaluate(narrowed, *decoded.value, told);
    return 0;
}
