#include "providers/providerregistry.h"

#include "core/queuedsignal.h"

#include "providers/appleprovider.h"
#include "providers/awsprovider.h"
#include "providers/azureprovider.h"
#include "providers/gcpprovider.h"
#include "providers/instatusprovider.h"
#include "providers/statusioprovider.h"
#include "providers/statuspageprovider.h"
#include "providers/websiteprovider.h"
#include "providers/xaiprovider.h"

#include <QTimer>

namespace ProviderRegistry {

std::unique_ptr<StatusProvider> provider(ProviderKind kind)
{
    HttpSession session;
    switch (kind) {
    case ProviderKind::Statuspage:
        return std::make_unique<StatuspageProvider>(session);
    case ProviderKind::Instatus:
        return std::make_unique<InstatusProvider>(session);
    case ProviderKind::Website:
        return std::make_unique<WebsiteProvider>(session);
    case ProviderKind::Aws:
        return std::make_unique<AWSProvider>(session);
    case ProviderKind::Apple:
        return std::make_unique<AppleProvider>(session);
    case ProviderKind::Gcp:
        return std::make_unique<GCPProvider>(session);
    case ProviderKind::Azure:
        return std::make_unique<AzureProvider>(session);
    case ProviderKind::Xai:
        return std::make_unique<XAIProvider>(session);
    case ProviderKind::StatusIo:
        return std::make_unique<StatusIOProvider>(session);
    }
    // Out-of-range values cannot come from the services file, which maps unknown
    // kinds to Statuspage.
    return std::make_unique<StatuspageProvider>(session);
}

} // namespace ProviderRegistry

QCoro::Task<ServiceStatusResult> fetchWithRetry(Service service, std::chrono::milliseconds retryDelay)
{
    const std::unique_ptr<StatusProvider> reader = ProviderRegistry::provider(service.provider);
    QCoro::Task<ServiceStatusResult> firstFetch = reader->fetch(service);
    ServiceStatusResult first = co_await firstFetch;
    if (first.indicator != Indicator::Unknown)
        co_return first;
    // A precise timer: a coarse one may end the pause up to 5 % early.
    QTimer pause;
    pause.setTimerType(Qt::PreciseTimer);
    pause.setSingleShot(true);
    pause.start(retryDelay);
    // Resumed after timeout() has returned: a second read that ends at once (an address it
    // refuses) would otherwise destroy the timer inside its own signal.
    auto timedOut = queuedSignal(&pause, &QTimer::timeout);
    co_await timedOut;
    QCoro::Task<ServiceStatusResult> secondFetch = reader->fetch(service);
    ServiceStatusResult second = co_await secondFetch;
    co_return second;
}
