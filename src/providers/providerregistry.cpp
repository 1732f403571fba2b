#include "providers/providerregistry.h"

#include "providers/providertable.h"

namespace ProviderRegistry {

std::unique_ptr<StatusProvider> provider(ProviderKind kind, const ProviderOptions &options)
{
    return providerInfo(kind).make(HttpSession(), options);
}

} // namespace ProviderRegistry
