#include "providers/common/componentselection.h"

#include "providers/statusprovider.h"

#include <algorithm>

QSet<QString> ComponentSelection::selected(const Service &service)
{
    if (!service.components)
        return {};
    return QSet<QString>(service.components->cbegin(), service.components->cend());
}

ServiceStatusResult ComponentSelection::evaluate(const Service &service, const QList<PartState> &parts,
                                                 const QSet<QString> &selected, QList<Incident> incidents,
                                                 AllDown allDown)
{
    QList<const PartState *> kept;
    QSet<QString> found;
    for (const PartState &part : parts) {
        // A page that lists a part twice still counts it once.
        if (selected.contains(part.id) && part.indicator != Indicator::Unknown && !found.contains(part.id)) {
            kept.append(&part);
            found.insert(part.id);
        }
    }
    if (kept.isEmpty())
        return failureResult(service, tr("Selected components not found"));

    const PartState *worst = kept.first();
    for (const PartState *part : std::as_const(kept)) {
        if (part->indicator > worst->indicator)
            worst = part;
    }
    Indicator indicator = worst->indicator;
    const qsizetype missing = selected.size() - kept.size();
    if (indicator == Indicator::None && missing >= 1)
        return failureResult(service,
                             tr("%n of %1 selected components not found", nullptr, int(missing)).arg(selected.size()));
    if (allDown == AllDown::Critical && indicator == Indicator::Major
        && std::all_of(kept.cbegin(), kept.cend(),
                       [](const PartState *part) { return part->indicator == Indicator::Major; }))
        indicator = Indicator::Critical;

    const QString description = indicator == Indicator::None ? label(Indicator::None)
                                                             : worst->name + QStringLiteral(": ") + label(indicator);
    std::optional<QString> title;
    if (!incidents.isEmpty() && !incidents.first().title.isEmpty())
        title = incidents.first().title;
    ServiceStatusResult result = makeResult(service, indicator, description, title, worst->maintenance);
    result.incidents = std::move(incidents);
    return result;
}
