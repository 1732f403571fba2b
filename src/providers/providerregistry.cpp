#include "providers/providerregistry.h"

#include "providers/providertable.h"

namespace ProviderRegistry {

std::unique_ptr<StatusProvider> provider(ProviderKind kind, const ProviderContext &context)
{
    return providerInfo(kind).make(HttpSession(), context);
}

std::unique_ptr<StatusProvider> provider(ProviderKind kind)
{
    return provider(kind, ProviderContext());
}

} // namespace ProviderRegistry
