#include "providers/providerregistry.h"

#include "providers/statuspageprovider.h"

#include <QCoreApplication>

#include <qcoro/qcorotimer.h>

namespace {

// Stands in for the kinds whose readers do not exist yet.
class UnsupportedProvider final : public StatusProvider
{
public:
    QCoro::Task<ServiceStatusResult> fetch(const Service &service) override
    {
        co_return failureResult(service, QCoreApplication::translate("ProviderRegistry", "Not supported yet"));
    }
};

} // namespace

namespace ProviderRegistry {

std::unique_ptr<StatusProvider> provider(ProviderKind kind)
{
    HttpSession session;
    switch (kind) {
    case ProviderKind::Statuspage:
        return std::make_unique<StatuspageProvider>(session);
    case ProviderKind::Instatus:
    case ProviderKind::Website:
    case ProviderKind::Aws:
    case ProviderKind::Apple:
    case ProviderKind::Gcp:
    case ProviderKind::Azure:
    case ProviderKind::Xai:
    case ProviderKind::StatusIo:
        break;
    }
    return std::make_unique<UnsupportedProvider>();
}

} // namespace ProviderRegistry

QCoro::Task<ServiceStatusResult> fetchWithRetry(Service service, std::chrono::milliseconds retryDelay)
{
    const std::unique_ptr<StatusProvider> reader = ProviderRegistry::provider(service.provider);
    ServiceStatusResult first = co_await reader->fetch(service);
    if (first.indicator != Indicator::Unknown)
        co_return first;
    co_await QCoro::sleepFor(retryDelay);
    ServiceStatusResult second = co_await reader->fetch(service);
    co_return second;
}
