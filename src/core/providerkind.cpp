#include "core/providerkind.h"

#include <QCoreApplication>

#include <array>

namespace {

struct KindInfo {
    ProviderKind kind;
    const char16_t *raw;
    const char *display;
};

constexpr std::array<KindInfo, 9> kKinds{{
    {ProviderKind::Statuspage, u"statuspage", QT_TRANSLATE_NOOP("ProviderKind", "Statuspage.io")},
    {ProviderKind::Instatus, u"instatus", QT_TRANSLATE_NOOP("ProviderKind", "Instatus")},
    {ProviderKind::Website, u"website", QT_TRANSLATE_NOOP("ProviderKind", "Website / Server")},
    {ProviderKind::Aws, u"aws", QT_TRANSLATE_NOOP("ProviderKind", "AWS Health")},
    {ProviderKind::Apple, u"apple", QT_TRANSLATE_NOOP("ProviderKind", "Apple System Status")},
    {ProviderKind::Gcp, u"gcp", QT_TRANSLATE_NOOP("ProviderKind", "Google Cloud Status")},
    {ProviderKind::Azure, u"azure", QT_TRANSLATE_NOOP("ProviderKind", "Azure Status")},
    {ProviderKind::Xai, u"xai", QT_TRANSLATE_NOOP("ProviderKind", "xAI Status")},
    {ProviderKind::StatusIo, u"statusio", QT_TRANSLATE_NOOP("ProviderKind", "Status.io")},
}};

const KindInfo &info(ProviderKind kind)
{
    return kKinds[static_cast<std::size_t>(kind)];
}

} // namespace

const QList<ProviderKind> &allProviderKinds()
{
    static const QList<ProviderKind> all = [] {
        QList<ProviderKind> kinds;
        for (const KindInfo &k : kKinds)
            kinds.append(k.kind);
        return kinds;
    }();
    return all;
}

QString rawValue(ProviderKind kind)
{
    return QString::fromUtf16(info(kind).raw);
}

std::optional<ProviderKind> providerKindFromRaw(const QString &raw)
{
    for (const KindInfo &k : kKinds) {
        if (raw == QStringView(k.raw))
            return k.kind;
    }
    return std::nullopt;
}

QString displayName(ProviderKind kind)
{
    return QCoreApplication::translate("ProviderKind", info(kind).display);
}
