#pragma once

#include "catalog/catalogentry.h"
#include "core/service.h"
#include "providers/common/componentselection.h"

#include <QList>
#include <QSet>
#include <QString>

// The pure rules of the Services tab and the component picker: what a search keeps, which
// sections show, and the buttons' texts. The widgets only apply them.
namespace ServicesFilter {

// The text under a row's name: the URL's host, or the whole address when it has none.
QString hostLine(const QUrl &url);

// Case-insensitive substring tests; an empty query keeps everything. A catalog entry
// matches by name or by host (the whole address when it has no host); a custom service by
// name or host only.
bool matches(const CatalogEntry &entry, const QString &query);
bool matches(const Service &service, const QString &query);

// "Monitored (drag to reorder)" shows only without a search and with two services or more.
bool showsReorderSection(const QString &query, qsizetype serviceCount);

// The components button's tooltip for a selection (absent: all components).
QString componentsTooltip(const std::optional<QStringList> &components);

// One block of the component picker: components without a group (empty id and title), or
// the members of one group heading.
struct ComponentSection {
    QString id;
    QString title;
    QList<PageComponent> items;
    bool operator==(const ComponentSection &) const = default;
};

// The picker's sections: ungrouped components first, then one per group heading in feed
// order; the search narrows components by name, never the headings; empty sections and
// components of unknown groups are left out.
QList<ComponentSection> componentSections(const QList<PageComponent> &components, const QString &query);

// A section header's button: every item selected reads "Deselect all".
bool allSelected(const QList<PageComponent> &items, const QSet<QString> &selected);

// The selection as saved: sorted ascending, empty meaning all components.
QStringList savedSelection(const QSet<QString> &selected);

} // namespace ServicesFilter
