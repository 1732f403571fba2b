#include "providers/statusprovider.h"

ServiceStatusResult makeResult(const Service &service, Indicator indicator, QString description,
                               std::optional<QString> incidentTitle, bool isMaintenance)
{
    return ServiceStatusResult{
        service.id,   indicator, std::move(description), QDateTime::currentDateTimeUtc(), std::move(incidentTitle),
        isMaintenance};
}

ServiceStatusResult failureResult(const Service &service, QString description)
{
    return makeResult(service, Indicator::Unknown, std::move(description));
}

QString descriptionOrLabel(const QString &text, Indicator indicator)
{
    return text.isEmpty() ? label(indicator) : text;
}
