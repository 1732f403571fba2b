#pragma once

#include "core/providerkind.h"

#include <QString>

#include <array>
#include <memory>

class Settings;

// What one provider keeps between checks (a page's maintenance calendar, the identifiers it
// looked up), of a type only that provider knows.
class ProviderMemory
{
public:
    virtual ~ProviderMemory() = default;
};

// What the providers are told of the user's preferences and what they keep between checks,
// held by whoever runs checks (the monitor) without knowing what is in it. Each provider's
// row in the table says what it keeps; the provider is handed its own when it is made. A
// provider made without a context keeps nothing and reads the defaults. Main thread only.
class ProviderContext
{
public:
    enum class Keeping {
        // For as long as the context lives.
        WhileRunning,
        // Also for the next run, in Glinter's folder of the user's cache.
        AcrossRuns,
    };

    // Without `settings` every provider reads as it does by default (AWS: every region);
    // when given, they must outlive the context.
    explicit ProviderContext(const Settings *settings = nullptr, Keeping keeping = Keeping::WhileRunning);

    const Settings *settings() const { return m_settings; }

    // The memory the provider of `kind` keeps; null when its row keeps none. Shared, because
    // a check still in flight may outlive whoever holds the context.
    template<class Memory>
    std::shared_ptr<Memory> memory(ProviderKind kind) const
    {
        return std::dynamic_pointer_cast<Memory>(m_memories.at(std::size_t(kind)));
    }

private:
    const Settings *m_settings;
    std::array<std::shared_ptr<ProviderMemory>, providerKindCount> m_memories;
};
