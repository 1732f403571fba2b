#pragma once

#include "core/service.h"
#include "core/servicestatusresult.h"
#include "providers/statusprovider.h"

#include <qcoro/qcorotask.h>

#include <chrono>

// The monitor's check of one service: the registry's reader for its kind, with one retry.
// A first result that is Unknown is dropped, and after `retryDelay` the same reader reads
// once more; the second result stands.
QCoro::Task<ServiceStatusResult> fetchWithRetry(Service service,
                                                std::chrono::milliseconds retryDelay = std::chrono::milliseconds(1500),
                                                ProviderOptions options = {});
