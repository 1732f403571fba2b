#pragma once

#include "core/providerkind.h"
#include "providers/statusprovider.h"

#include <memory>

namespace ProviderRegistry {

// A fresh reader for the kind, with a fresh session using the default limits.
std::unique_ptr<StatusProvider> provider(ProviderKind kind, const ProviderOptions &options = {});

} // namespace ProviderRegistry
