#include "providers/providercontext.h"

#include "providers/providertable.h"

#include <QStandardPaths>

ProviderContext::ProviderContext(const Settings *settings, Keeping keeping)
    : m_settings(settings)
{
    const QString folder = keeping == Keeping::AcrossRuns
                               ? QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
                                     + QStringLiteral("/Glinter")
                               : QString();
    for (const ProviderInfo &provider : providerTable()) {
        if (provider.makeMemory)
            m_memories.at(std::size_t(provider.kind)) = provider.makeMemory(folder);
    }
}
