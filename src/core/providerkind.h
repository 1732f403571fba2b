#pragma once

#include <QList>
#include <QString>

#include <optional>

// The feed format of a service, which decides the reader that checks it.
enum class ProviderKind {
    Statuspage,
    Instatus,
    Website,
    Aws,
    Apple,
    Gcp,
    Azure,
    Xai,
    StatusIo,
};

// All kinds in their declared order (the order pickers list them in).
const QList<ProviderKind> &allProviderKinds();

// The lower-case raw value written to services.json ("statuspage", "aws", ...).
QString rawValue(ProviderKind kind);

// Exact match of a raw value: no trimming, no case folding.
std::optional<ProviderKind> providerKindFromRaw(const QString &raw);

// The name shown in the custom-service form's provider picker.
QString displayName(ProviderKind kind);
