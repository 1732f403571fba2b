// The services file as written by hand or by an agent.
#include "core/servicestore.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// Without fuzzsupport.h: its helpers are the feed providers', and this one fuzzes core alone.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const ServiceFileContents contents = ServiceStore::decode(bytes);
    // Saving what was loaded, loading it again and saving once more must write the same
    // bytes: otherwise every save would look like an outside edit to the file watcher.
    // (The parsed URLs themselves may differ after the first save: a hand-written "#"
    // inside a fragment is written back as "%23".)
    if (!contents.services.isEmpty()) {
        const QByteArray saved = ServiceStore::encode(contents.services);
        const ServiceFileContents again = ServiceStore::decode(saved);
        if (ServiceStore::encode(again.services) != saved)
            __builtin_trap();
    }
    return 0;
}
