#include "app/watchformats.h"

#include "core/escapedline.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

// The word and the glyph of the state before the first result: neither calm nor failing.
const QString checkingWord = QStringLiteral("checking");
const QString checkingGlyph = QStringLiteral("\u2026");

QString checkingText()
{
    return QCoreApplication::translate("WatchFormats", "Checking\u2026");
}

// A service whose first check has not finished: not unreachable, only not known yet.
bool isPending(const ServiceEntry &entry)
{
    return entry.indicator == Indicator::Unknown && entry.lastChecked == 0;
}

// Nothing has been checked yet (the first refresh is under way, or waits for the network).
bool isChecking(const Overview &view)
{
    return !view.services.isEmpty() && std::all_of(view.services.cbegin(), view.services.cend(), isPending);
}

QString compact(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// "GitHub: Partial outage — Elevated error rates"
QString troubleLine(const ServiceEntry &entry)
{
    QString line = escapedLine(entry.name, kNameLength) + QStringLiteral(": ")
                   + escapedLine(entry.description, kTextLength);
    if (entry.incidentTitle && *entry.incidentTitle != entry.description)
        line += QStringLiteral(" \u2014 ") + escapedLine(*entry.incidentTitle, kTextLength);
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
    if (isChecking(view))
        return checkingText();
    const QList<ServiceEntry> troubled = view.troubled();
    if (troubled.isEmpty())
        return view.summary;
    QStringList names;
    for (const ServiceEntry &entry : troubled)
        names.append(escapedLine(entry.name, kNameLength));
    return view.summary + QStringLiteral(": ") + names.join(QStringLiteral(", "));
}

QString waybarLine(const Overview &view)
{
    if (isChecking(view)) {
        // No percentage: a bar that draws it would show nothing operational.
        return compact({
            {QLatin1String("text"), checkingGlyph},
            {QLatin1String("alt"), checkingWord},
            {QLatin1String("class"), checkingWord},
            {QLatin1String("tooltip"), pangoEscaped(checkingText())},
        });
    }
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
    // polybar takes each line of output as the module's text (the full text has its line
    // breaks escaped); it reads %{…} as a tag anywhere in the text, and a doubled % is a
    // plain one.
    QString text = fullText(view);
    text.replace(u'%', QStringLiteral("%%"));
    return QStringLiteral("%{F") + stateColorName(view.indicator) + u'}' + text + QStringLiteral("%{F-}");
}

QString jsonLine(const Overview &view)
{
    QJsonArray services;
    for (const ServiceEntry &entry : view.services) {
        QJsonObject object = QJsonObject::fromVariantMap(entryMap(entry));
        if (isPending(entry))
            object.insert(QLatin1String("indicator"), checkingWord);
        services.append(object);
    }
    const bool checking = isChecking(view);
    return compact({
        {QLatin1String("indicator"), checking ? checkingWord : indicatorName(view.indicator)},
        {QLatin1String("summary"), checking ? checkingText() : view.summary},
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
    if (isChecking(view))
        return checkingGlyph;
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
