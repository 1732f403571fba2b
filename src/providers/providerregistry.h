#pragma once

#include "core/providerkind.h"
#include "providers/statusprovider.h"

#include <chrono>
#include <memory>

namespace ProviderRegistry {

// A fresh reader for the kind, with a fresh session using the default limits.
std::unique_ptr<StatusProvider> provider(ProviderKind kind, const ProviderOptions &options = {});

} // namespace ProviderRegistry

// One check with one retry: a first result that is Unknown is dropped, and after
// `retryDelay` the same reader reads once more; the second result stands.
QCoro::Task<ServiceStatusResult> fetchWithRetry(Service service,
                                                std::chrono::milliseconds retryDelay = std::chrono::milliseconds(1500),
                                                ProviderOptions options = {});
