#include "app/watchformats.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// "GitHub: Partial outage — Elevated error rates"
QString troubleLine(const ServiceEntry &entry)
{
    QString line = entry.name + QStringLiteral(": ") + entry.description;
    if (entry.incidentTitle && *entry.incidentTitle != entry.description)
        line += QStringLiteral(" \u2014 ") + *entry.incidentTitle;
    return line;
}

// The summary, then one line per troubled service.
QString plainTooltip(const Overview &view)
{
    QStringList lines{view.summary};
    for (const ServiceEntry &entry : view.troubled())
        lines.append(troubleLine(entry));
    return lines.join(u'\n');
}

// The share of operational services, 0 to 100; an empty list is all well.
int operationalPercentage(const Overview &view)
{
    if (view.services.isEmpty())
        return 100;
    const auto operational = std::count_if(view.services.cbegin(), view.services.cend(), [](const ServiceEntry &entry) {
        return entry.indicator == Indicator::None;
    });
    return int(std::lround(100.0 * double(operational) / double(view.services.size())));
}

// The bar's full text: the summary, and the names of the services in trouble.
QString fullText(const Overview &view)
{
    const QList<ServiceEntry> troubled = view.troubled();
    if (troubled.isEmpty())
        return view.summary;
    QStringList names;
    for (const ServiceEntry &entry : troubled)
        names.append(entry.name);
    return view.summary + QStringLiteral(": ") + names.join(QStringLiteral(", "));
}

QString waybarLine(const Overview &view)
{
    const QString word = indicatorName(view.indicator);
    return compact({
        {QLatin1String("text"), watchGlyph(view)},
        {QLatin1String("alt"), word},
        {QLatin1String("class"), word},
        {QLatin1String("tooltip"), pangoEscaped(plainTooltip(view))},
        {QLatin1String("percentage"), operationalPercentage(view)},
    });
}

QString i3blocksLine(const Overview &view)
{
    return compact({
        {QLatin1String("full_text"), fullText(view)},
        {QLatin1String("short_text"), watchGlyph(view)},
        {QLatin1String("color"), stateColorName(view.indicator)},
    });
}

QString polybarLine(const Overview &view)
{
    // polybar takes each line of output as the module's text, so a line break inside a
    // service's name must not reach it; it reads %{…} as a tag anywhere in the text, and a
    // doubled % is a plain one.
    QString text = fullText(view).simplified();
    text.replace(u'%', QStringLiteral("%%"));
    return QStringLiteral("%{F") + stateColorName(view.indicator) + u'}' + text + QStringLiteral("%{F-}");
}

QString jsonLine(const Overview &view)
{
    QJsonArray services;
    for (const ServiceEntry &entry : view.services)
        services.append(QJsonObject::fromVariantMap(entryMap(entry)));
    return compact({
        {QLatin1String("indicator"), indicatorName(view.indicator)},
        {QLatin1String("summary"), view.summary},
        {QLatin1String("lastRefresh"), view.lastRefresh},
        {QLatin1String("services"), services},
    });
}

} // namespace

std::optional<WatchFormat> watchFormatFromName(const QString &name)
{
    if (name == QLatin1String("waybar"))
        return WatchFormat::Waybar;
    if (name == QLatin1String("i3blocks"))
        return WatchFormat::I3blocks;
    if (name == QLatin1String("polybar"))
        return WatchFormat::Polybar;
    if (name == QLatin1String("json"))
        return WatchFormat::Json;
    return std::nullopt;
}

QString watchGlyph(const Overview &view)
{
    if (const qsizetype troubled = view.troubled().size(); troubled > 0)
        return QString::number(troubled);
    // A check mark when all is well; a question mark when nothing could be read.
    return view.indicator == Indicator::Unknown ? QStringLiteral("?") : QStringLiteral("\u2713");
}

QString pangoEscaped(const QString &text)
{
    QString escaped = text.toHtmlEscaped();
    escaped.replace(u'\'', QStringLiteral("&#39;"));
    return escaped;
}

QString watchLine(const Overview &view, WatchFormat format)
{
    switch (format) {
    case WatchFormat::Waybar:
        return waybarLine(view);
    case WatchFormat::I3blocks:
        return i3blocksLine(view);
    case WatchFormat::Polybar:
        return polybarLine(view);
    case WatchFormat::Json:
        break;
    }
    return jsonLine(view);
}
