// Statuspage document: decoding, then both the page-wide and the selected-components result.
#include "providers/statuspageprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const StatuspageProvider::DecodedDocument decoded = StatuspageProvider::decode(FuzzSupport::bytes(data, size));
    if (!decoded.document)
        return 0;
    Service service = FuzzSupport::service(ProviderKind::Statuspage);
    (void)StatuspageProvider::evaluate(service, *decoded.document);

    QStringList selected{QStringLiteral("c1")};
    if (decoded.document->components) {
        for (const StatuspageProvider::Component &component : *decoded.document->components) {
            if (selected.size() >= 3)
                break;
            selected.append(component.id);
        }
    }
    service.components = selected;
    (void)StatuspageProvider::evaluate(service, *decoded.document);
    return 0;
}
