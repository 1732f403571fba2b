#include "core/providerkind.h"

const QList<ProviderKind> &allProviderKinds()
{
    static const QList<ProviderKind> all = [] {
        QList<ProviderKind> kinds;
        for (std::size_t i = 0; i < providerKindCount; ++i)
            kinds.append(ProviderKind(i));
        return kinds;
    }();
    return all;
}

QString rawValue(ProviderKind kind)
{
    const std::u16string_view name = storedProviderNames.at(std::size_t(kind));
    return QString::fromUtf16(name.data(), qsizetype(name.size()));
}

std::optional<ProviderKind> providerKindFromRaw(const QString &raw)
{
    for (std::size_t i = 0; i < providerKindCount; ++i) {
        if (QStringView(raw) == QStringView(storedProviderNames[i]))
            return ProviderKind(i);
    }
    return std::nullopt;
}
