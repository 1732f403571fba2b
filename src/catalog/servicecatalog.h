#pragma once

#include "catalog/catalogentry.h"
#include "core/service.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <optional>

// The built-in, read-only list of well-known services the user can switch on with one click.
// Everything is built once on first use and may be read from any thread.
namespace ServiceCatalog {

// The category titles in display order, in English: they also key the entries.
const QStringList &categories();

// A category's title in the user's language.
QString displayTitle(const QString &category);

// Every entry, grouped by category in the order of categories().
const QList<CatalogEntry> &all();

// The entries of one category in catalog order; a title that is not exactly one of
// categories() yields none.
QList<CatalogEntry> entries(const QString &category);

// The entry whose id() is the given text, if any.
std::optional<CatalogEntry> entry(const QString &id);

// The first service standing for each catalog entry, by the entry's id(), in one pass.
QHash<QString, Service> monitoredByEntry(const QList<Service> &services);

// The services that stand for no catalog entry: those added by hand, in list order.
QList<Service> customServices(const QList<Service> &services);

// A new service for each entry, with a fresh identity and the whole page selected.
QList<Service> newServices(const QList<CatalogEntry> &entries);

} // namespace ServiceCatalog
