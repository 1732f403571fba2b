#include "catalog/catalogentry.h"

#include "core/service.h"

#include <QHashFunctions>

namespace {

// Entries without a host fall back to the whole address, so that two such entries of one
// provider still get distinct ids.
QString hostKey(const QUrl &url)
{
    const QString host = url.host();
    return host.isEmpty() ? url.toString(QUrl::FullyEncoded).toLower() : host.toLower();
}

} // namespace

QString CatalogEntry::id() const
{
    return storedName(provider) + u':' + hostKey(url);
}

bool CatalogEntry::matches(const Service &service) const
{
    return service.provider == provider && service.url.host().toLower() == hostKey(url);
}

size_t qHash(const CatalogEntry &entry, size_t seed) noexcept
{
    return qHashMulti(seed, entry.name, entry.url, static_cast<int>(entry.provider), entry.category);
}

QString catalogKey(const Service &service)
{
    return service.providerName() + u':' + service.url.host().toLower();
}
