#pragma once

#include "core/service.h"
#include "core/servicestatusresult.h"
#include "providers/providercontext.h"

#include <qcoro/qcorotask.h>

#include <chrono>

// The monitor's check of one service: the registry's provider for its kind, made now with what
// `context` holds for it, with one retry. A first result that is Unknown is dropped, and
// after `retryDelay` the same provider reads once more; the second result stands.
QCoro::Task<ServiceStatusResult> fetchWithRetry(Service service, std::chrono::milliseconds retryDelay,
                                                const ProviderContext &context);

// The same without a context: a provider that keeps nothing and reads the defaults.
QCoro::Task<ServiceStatusResult> fetchWithRetry(Service service,
                                                std::chrono::milliseconds retryDelay = std::chrono::milliseconds(1500));
