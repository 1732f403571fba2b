// Statuspage documents: the state document with both the page-wide and the selected-components
// result, and the same bytes read as a story document (unresolved incidents, the calendar).
#include "providers/statuspage/statuspageprovider.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = FuzzSupport::bytes(data, size);
    const StatuspageProvider::Story story = StatuspageProvider::decodeStory(bytes);
    StatuspageProvider::Document storyOnly{QStringLiteral("major"), QString(), std::nullopt, story};
    (void)StatuspageProvider::evaluate(FuzzSupport::service(ProviderKind::Statuspage), storyOnly,
                                       FuzzSupport::checkTime());

    const Decoded<StatuspageProvider::Document> decoded = StatuspageProvider::decode(bytes);
    if (!decoded.value)
        return 0;
    Service service = FuzzSupport::service(ProviderKind::Statuspage);
    (void)StatuspageProvider::evaluate(service, *decoded.value, FuzzSupport::checkTime());

    QStringList selected{QStringLiteral("c1")};
    if (decoded.value->components) {
        for (const StatuspageProvider::Component &component : *decoded.value->components) {
            if (selected.size() >= 3)
                break;
            selected.append(component.id);
        }
    }
    service.components = selected;
    (void)StatuspageProvider::evaluate(service, *decoded.value, FuzzSupport::checkTime());
    return 0;
}
