#include "providers/fetchwithretry.h"

#include "core/queuedsignal.h"
#include "providers/providerregistry.h"

#include <QTimer>

QCoro::Task<ServiceStatusResult> fetchWithRetry(Service service, std::chrono::milliseconds retryDelay,
                                                ProviderOptions options)
{
    if (!service.provider)
        co_return failureResult(service, service.uncheckedReason().value_or(QString()));
    const std::unique_ptr<StatusProvider> reader = ProviderRegistry::provider(*service.provider, options);
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
