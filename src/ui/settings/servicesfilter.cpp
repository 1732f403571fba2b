#include "ui/settings/servicesfilter.h"

#include <QCoreApplication>

#include <algorithm>

namespace ServicesFilter {

QString hostLine(const QUrl &url)
{
    const QString host = url.host(QUrl::FullyEncoded);
    return host.isEmpty() ? url.toString(QUrl::FullyEncoded) : host;
}

bool matches(const CatalogEntry &entry, const QString &query)
{
    if (query.isEmpty())
        return true;
    const QString needle = query.toLower();
    return entry.name.toLower().contains(needle) || hostLine(entry.url).toLower().contains(needle);
}

bool matches(const Service &service, const QString &query)
{
    if (query.isEmpty())
        return true;
    const QString needle = query.toLower();
    if (service.name.toLower().contains(needle))
        return true;
    const QString host = service.url.host(QUrl::FullyEncoded);
    return !host.isEmpty() && host.toLower().contains(needle);
}

bool showsReorderSection(const QString &query, qsizetype serviceCount)
{
    return query.isEmpty() && serviceCount >= 2;
}

QString componentsTooltip(const std::optional<QStringList> &components)
{
    if (!components || components->isEmpty())
        return QCoreApplication::translate("ComponentsButton", "Watch specific components");
    return QCoreApplication::translate("ComponentsButton", "Watching %n component(s)", nullptr,
                                       int(components->size()));
}

QList<ComponentSection> componentSections(const QList<PageComponent> &components, const QString &query)
{
    const QString needle = query.toLower();
    QList<ComponentSection> sections{ComponentSection{}};
    QHash<QString, qsizetype> groupIndex;
    for (const PageComponent &component : components) {
        if (component.group.value_or(false) && !groupIndex.contains(component.id)) {
            groupIndex.insert(component.id, sections.size());
            sections.append(ComponentSection{component.id, component.name, {}});
        }
    }
    for (const PageComponent &component : components) {
        if (component.group.value_or(false))
            continue;
        if (!needle.isEmpty() && !component.name.toLower().contains(needle))
            continue;
        if (!component.groupID) {
            sections[0].items.append(component);
        } else if (const auto it = groupIndex.constFind(*component.groupID); it != groupIndex.cend()) {
            sections[*it].items.append(component);
        }
    }
    sections.removeIf([](const ComponentSection &section) { return section.items.isEmpty(); });
    return sections;
}

bool allSelected(const QList<PageComponent> &items, const QSet<QString> &selected)
{
    return std::all_of(items.cbegin(), items.cend(),
                       [&](const PageComponent &item) { return selected.contains(item.id); });
}

QStringList savedSelection(const QSet<QString> &selected)
{
    QStringList list(selected.cbegin(), selected.cend());
    std::sort(list.begin(), list.end());
    return list;
}

} // namespace ServicesFilter
