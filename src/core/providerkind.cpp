#include "core/providerkind.h"

namespace {

// Every name reads back as its own kind only when no two kinds share one.
constexpr bool distinctNames()
{
    for (std::size_t i = 0; i < storedProviderNames.size(); ++i) {
        for (std::size_t j = i + 1; j < storedProviderNames.size(); ++j) {
            if (storedProviderNames.at(i) == storedProviderNames.at(j))
                return false;
        }
    }
    return true;
}
static_assert(distinctNames(), "each kind is stored under a name of its own");

} // namespace

QString storedName(ProviderKind kind)
{
    const std::u16string_view name = storedProviderNames.at(std::size_t(kind));
    return QString::fromUtf16(name.data(), qsizetype(name.size()));
}

std::optional<ProviderKind> providerKindFromStoredName(const QString &raw)
{
    for (std::size_t i = 0; i < providerKindCount; ++i) {
        if (QStringView(raw) == QStringView(storedProviderNames[i]))
            return ProviderKind(i);
    }
    return std::nullopt;
}
