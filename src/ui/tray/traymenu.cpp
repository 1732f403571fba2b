#include "ui/tray/traymenu.h"

#include "ui/tray/panelmodel.h"

#include <algorithm>

namespace {

QString elided(const QString &text, int length)
{
    const QString simple = text.simplified();
    if (simple.size() <= length)
        return simple;
    return simple.left(length - 1).trimmed() + u'\u2026';
}

} // namespace

QList<TrayMenuLine> TrayMenu::glance(const TrayMenuInput &input)
{
    // The panel's troubled ones, worst first, then the feeds that could not be read; a
    // service not checked yet has no state to tell.
    const GroupedServices grouped = groupServices(input.services, input.results);
    QList<Service> affected = grouped.affected;
    std::copy_if(grouped.healthy.cbegin(), grouped.healthy.cend(), std::back_inserter(affected),
                 [&](const Service &service) {
                     const auto found = input.results.constFind(service.id);
                     return found != input.results.cend() && found->indicator == Indicator::Unknown;
                 });

    QList<TrayMenuLine> lines;
    lines.append({.label = summaryText(input.aggregate, input.offline), .action = TrayMenuLine::Action::OpenPanel});
    lines.append({.label = input.services.isEmpty() ? noServicesText() : updatedText(input.lastUpdated, input.now)});

    const qsizetype shown = std::min<qsizetype>(affected.size(), listed);
    for (qsizetype i = 0; i < shown; ++i) {
        const Service &service = affected.at(i);
        const RowContent row = rowContent(service, input.results.value(service.id), input.now);
        TrayMenuLine line;
        line.label = tr("%1 \u2014 %2").arg(elided(row.name, nameLength), elided(row.description, descriptionLength));
        // The state in words, then the page's own words when they say more than the state.
        QStringList spoken{row.name, label(row.indicator)};
        if (row.description != spoken.last())
            spoken.append(row.description);
        line.accessibleText = spoken.join(QStringLiteral(", "));
        line.glyph = row.glyph;
        line.indicator = row.indicator;
        line.neutralGlyph = row.neutralGlyph;
        line.action = TrayMenuLine::Action::OpenService;
        line.service = service.id;
        lines.append(std::move(line));
    }
    if (const int more = int(affected.size() - shown); more > 0)
        lines.append({.label = tr("%n more\u2026", nullptr, more), .action = TrayMenuLine::Action::OpenPanel});
    const bool allChecked = std::all_of(input.services.cbegin(), input.services.cend(),
                                        [&](const Service &service) { return input.results.contains(service.id); });
    if (affected.isEmpty() && allChecked && !input.services.isEmpty()) {
        // English says "The 1 service is operational" and "All 3 services operational"
        lines.append({.label = tr("All %n services operational", nullptr, int(input.services.size())),
                      .glyph = Glyph::Check,
                      .indicator = Indicator::None,
                      .action = TrayMenuLine::Action::OpenPanel});
    }
    return lines;
}
