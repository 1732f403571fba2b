#pragma once

#include "core/providerkind.h"

#include <QString>
#include <QUrl>

struct Service;

// One row of the built-in catalog: a well-known service and the feed format of its page.
struct CatalogEntry {
    QString name;
    // The public status page, or the site itself for website probes.
    QUrl url;
    ProviderKind provider = ProviderKind::Statuspage;
    // One of ServiceCatalog::categories(), compared by exact text.
    QString category;

    bool operator==(const CatalogEntry &) const = default;

    // List identity: provider stored name, ':', lower-cased host (or, when the URL has no host,
    // the lower-cased absolute URL).
    QString id() const;

    // Whether a monitored service stands for this entry: same provider and same host in any
    // letter case; the path is ignored, so a hand-edited page of the same vendor still counts.
    bool matches(const Service &service) const;
};

size_t qHash(const CatalogEntry &entry, size_t seed = 0) noexcept;

// The key a monitored service is compared with catalog ids by: provider name, ':',
// lower-cased host (empty when the URL has none). A service whose key is no catalog id
// was added by hand.
QString catalogKey(const Service &service);
