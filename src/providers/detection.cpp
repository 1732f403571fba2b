#include "providers/detection.h"

#include "providers/providerregistry.h"
#include "providers/providertable.h"

#include <QUuid>

QCoro::Task<ServiceStatusResult> checkOnce(Service service)
{
    if (!service.provider)
        co_return failureResult(service, service.uncheckedReason().value_or(QString()));
    const std::unique_ptr<StatusProvider> provider = ProviderRegistry::provider(*service.provider);
    QCoro::Task<ServiceStatusResult> reading = provider->fetch(std::move(service));
    co_return co_await reading;
}

QList<ProviderKind> detectableKinds()
{
    QList<ProviderKind> kinds;
    for (const ProviderInfo &provider : providerTable()) {
        if (provider.detectable)
            kinds.append(provider.kind);
    }
    return kinds;
}

QCoro::Task<Detection> detectProvider(QUrl url, QString name, QList<ProviderKind> kinds, FeedCheck check)
{
    Detection detection;
    for (const ProviderKind kind : kinds) {
        const Service probe{QUuid::createUuid(), name, url, kind, std::nullopt};
        QCoro::Task<ServiceStatusResult> checking = check(probe);
        const ServiceStatusResult result = co_await checking;
        if (result.indicator != Indicator::Unknown) {
            detection.kind = kind;
            co_return detection;
        }
        detection.failures.append({kind, result.description});
    }
    co_return detection;
}
