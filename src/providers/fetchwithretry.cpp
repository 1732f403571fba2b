#include "providers/fetchwithretry.h"

#include "core/queuedsignal.h"
#include "providers/providerregistry.h"

#include <QTimer>

namespace {

QCoro::Task<ServiceStatusResult> retrying(std::unique_ptr<StatusProvider> provider, Service service,
                                          std::chrono::milliseconds retryDelay)
{
    if (!provider)
        co_return failureResult(service, service.uncheckedReason().value_or(QString()));
    QCoro::Task<ServiceStatusResult> firstFetch = provider->fetch(service);
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
    QCoro::Task<ServiceStatusResult> secondFetch = provider->fetch(service);
    ServiceStatusResult second = co_await secondFetch;
    co_return second;
}

} // namespace

QCoro::Task<ServiceStatusResult> fetchWithRetry(Service service, std::chrono::milliseconds retryDelay,
                                                const ProviderContext &context)
{
    // Made before the check starts, so that nothing after its first pause reads the context.
    std::unique_ptr<StatusProvider> provider = service.provider ? ProviderRegistry::provider(*service.provider, context)
                                                                : nullptr;
    return retrying(std::move(provider), std::move(service), retryDelay);
}

QCoro::Task<ServiceStatusResult> fetchWithRetry(Service service, std::chrono::milliseconds retryDelay)
{
    return fetchWithRetry(std::move(service), retryDelay, ProviderContext());
}
