#pragma once

#include "core/service.h"
#include "core/servicestatusresult.h"

#include <QString>
#include <qcoro/qcorotask.h>

#include <optional>
#include <type_traits>

// A feed provider: turns one service into one result. fetch() never fails; transport,
// HTTP and format problems become a result with the Unknown indicator and a short text.
class StatusProvider
{
public:
    virtual ~StatusProvider() = default;

    // One check of the service.
    virtual QCoro::Task<ServiceStatusResult> fetch(Service service) = 0;
};

// What a provider's decoder makes of a document: the value, or the reason there is none
// (shown to the user as the check's description).
template<class T>
struct Decoded {
    std::optional<T> value;
    QString error;
};

// The value of `decoded` handed through `map`, or the same failure.
template<class T, class Map>
auto mapDecoded(Decoded<T> decoded, Map map) -> Decoded<std::invoke_result_t<Map &, T &&>>
{
    if (!decoded.value)
        return {std::nullopt, std::move(decoded.error)};
    return {map(std::move(*decoded.value)), {}};
}

// A result stamped with the current time.
ServiceStatusResult makeResult(const Service &service, Indicator indicator, QString description,
                               std::optional<QString> incidentTitle = std::nullopt, bool isMaintenance = false);

// A failed check: Unknown, no title, not a maintenance.
ServiceStatusResult failureResult(const Service &service, QString description);

// The feed's own text, or the indicator's label when the feed gives none.
QString descriptionOrLabel(const QString &text, Indicator indicator);
