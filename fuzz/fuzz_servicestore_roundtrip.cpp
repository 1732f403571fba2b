// The services file read, saved and read again: the second reading holds what the first did,
// record for record, with the keys and provider names this version does not know.
#include "core/servicestore.h"

#include "fuzzsupport.h"

namespace {

bool sameRecord(const Service &first, const Service &second)
{
    // the address as written: a parsed URL may differ after the first save ("#" inside a
    // fragment comes back as "%23") while what is written and compared stays the same
    return first.id == second.id && first.name == second.name && first.urlText() == second.urlText()
           && first.provider == second.provider && first.providerName() == second.providerName()
           && first.components == second.components && first.unread == second.unread;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ServiceFileContents first = ServiceStore::decode(FuzzSupport::bytes(data, size));
    if (first.services.isEmpty())
        return 0;
    const QByteArray saved = ServiceStore::encode(first.services);
    const ServiceFileContents second = ServiceStore::decode(saved);
    if (second.error || !second.problems.isEmpty() || second.services.size() != first.services.size())
        __builtin_trap();
    QSet<QUuid> ids;
    for (qsizetype i = 0; i < first.services.size(); ++i) {
        if (!sameRecord(first.services.at(i), second.services.at(i)))
            __builtin_trap();
        ids.insert(first.services.at(i).id);
    }
    // every record now carries the identifier it was given, and the next save writes the same
    if (second.writtenIDs != ids || ServiceStore::encode(second.services) != saved)
        __builtin_trap();
    return 0;
}
