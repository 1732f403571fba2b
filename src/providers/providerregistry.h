#pragma once

#include "core/providerkind.h"
#include "providers/providercontext.h"
#include "providers/statusprovider.h"

#include <memory>

namespace ProviderRegistry {

// A fresh provider for the kind, with a fresh session using the default limits, handed what
// `context` holds for it.
std::unique_ptr<StatusProvider> provider(ProviderKind kind, const ProviderContext &context);

// The same without a context: a provider that keeps nothing and reads the defaults.
std::unique_ptr<StatusProvider> provider(ProviderKind kind);

} // namespace ProviderRegistry
