#pragma once

#include <QString>

#include <array>
#include <optional>
#include <string_view>

// The feed format of a service, which decides the provider that checks it. Everything else
// about a provider (its name on screen, how it is made, its fixed feeds, whether format
// detection tries it) is one row of the provider table (providers/providertable.h), the one list of
// them, which checks that its rows follow this order and these names.
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
    BetterStack,
    Cachet,
    UptimeKuma,
    Gatus,
};

inline constexpr std::size_t providerKindCount = std::size_t(ProviderKind::Gatus) + 1;

// The value written to services.json for each kind, in the order of the kinds. Kept here,
// beside the kinds, because the services file and the catalog are read below the providers.
inline constexpr std::array<std::u16string_view, providerKindCount> storedProviderNames{
    u"statuspage", u"instatus", u"website",     u"aws",    u"apple",      u"gcp",   u"azure",
    u"xai",        u"statusio", u"betterstack", u"cachet", u"uptimekuma", u"gatus",
};

// The lower-case name written to services.json ("statuspage", "aws", ...).
QString storedName(ProviderKind kind);

// Exact match of a stored name: no trimming, no case folding.
std::optional<ProviderKind> providerKindFromStoredName(const QString &raw);
