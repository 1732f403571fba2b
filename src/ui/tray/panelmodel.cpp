#include "ui/tray/panelmodel.h"

#include "ui/tray/icutext.h"

#include <QCoreApplication>
#include <unicode/locid.h>
#include <unicode/reldatefmt.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

namespace {

// The context of these texts for translators.
class MenuContent
{
    Q_DECLARE_TR_FUNCTIONS(MenuContent)
};

// Making an ICU formatter loads locale data; the panel formats up to a few hundred ages at
// a time, so each style is made once for the interface's locale. Main thread only, like the
// panel.
icu::RelativeDateTimeFormatter *formatter(RelativeUnits units)
{
    struct Formatters {
        std::optional<std::string> locale;
        std::unique_ptr<icu::RelativeDateTimeFormatter> full;
        std::unique_ptr<icu::RelativeDateTimeFormatter> brief;
    };
    static Formatters made;
    const icu::Locale locale = icuLocale();
    if (made.locale != locale.getName()) {
        made.locale = locale.getName();
        const auto make = [&locale](UDateRelativeDateTimeFormatterStyle style) {
            UErrorCode status = U_ZERO_ERROR;
            auto format = std::make_unique<icu::RelativeDateTimeFormatter>(locale, nullptr, style,
                                                                           UDISPCTX_CAPITALIZATION_NONE, status);
            return U_SUCCESS(status) ? std::move(format) : nullptr;
        };
        made.full = make(UDAT_STYLE_LONG);
        made.brief = make(UDAT_STYLE_SHORT);
    }
    return units == RelativeUnits::Full ? made.full.get() : made.brief.get();
}

} // namespace

QString relativeTime(const QDateTime &moment, const QDateTime &now, RelativeUnits units)
{
    const qint64 seconds = std::max<qint64>(0, moment.secsTo(now));
    struct Step {
        qint64 seconds;
        URelativeDateTimeUnit unit;
    };
    static constexpr Step steps[] = {
        {qint64(365) * 86400, UDAT_REL_UNIT_YEAR},
        {qint64(30) * 86400, UDAT_REL_UNIT_MONTH},
        {qint64(7) * 86400, UDAT_REL_UNIT_WEEK},
        {86400, UDAT_REL_UNIT_DAY},
        {3600, UDAT_REL_UNIT_HOUR},
        {60, UDAT_REL_UNIT_MINUTE},
        {1, UDAT_REL_UNIT_SECOND},
    };
    icu::RelativeDateTimeFormatter *format = formatter(units);
    if (!format)
        return QString();
    icu::UnicodeString text;
    UErrorCode status = U_ZERO_ERROR;
    if (seconds < 1) {
        format->format(0.0, UDAT_REL_UNIT_SECOND, text, status);
    } else {
        const Step *step = std::find_if(std::begin(steps), std::end(steps),
                                        [&](const Step &s) { return seconds >= s.seconds; });
        // whole units: five and a half minutes are "5 minutes ago"
        const qint64 whole = seconds / step->seconds;
        format->formatNumeric(-double(whole), step->unit, text, status);
    }
    return U_SUCCESS(status) ? fromUnicode(text) : QString();
}

QString updatedText(const std::optional<QDateTime> &lastUpdated, const QDateTime &now)
{
    if (!lastUpdated)
        return MenuContent::tr("Checking\u2026");
    // some languages say "just now" in words of their own rather than with ICU's "now"
    if (lastUpdated->secsTo(now) < 1)
        return MenuContent::tr("Updated now");
    return MenuContent::tr("Updated %1").arg(relativeTime(*lastUpdated, now, RelativeUnits::Full));
}

QString noServicesText()
{
    return MenuContent::tr("No services are watched.");
}

QString accessibilityState(Indicator indicator)
{
    if (indicator == Indicator::None)
        return MenuContent::tr("All systems operational");
    return label(indicator);
}

QString trayToolTip(Indicator indicator)
{
    return MenuContent::tr("Glinter \u2014 %1").arg(accessibilityState(indicator));
}

RowContent rowContent(const Service &service, const std::optional<ServiceStatusResult> &result, const QDateTime &now)
{
    RowContent row;
    row.name = service.name;
    row.page = service.url;
    const QString host = service.url.host(QUrl::FullyEncoded);
    row.toolTip = MenuContent::tr("Open %1").arg(host.isEmpty() ? service.name : host);

    if (!result) {
        row.description = MenuContent::tr("Checking\u2026");
        row.accessibilityLabel = row.name + QStringLiteral(", ") + row.description;
        return row;
    }

    row.indicator = result->indicator;
    const bool titled = result->incidentTitle.has_value();
    if (result->isMaintenance) {
        row.glyph = Glyph::Wrench;
        row.neutralGlyph = true;
        row.description = titled ? *result->incidentTitle : MenuContent::tr("Under Maintenance");
    } else {
        row.glyph = stateGlyph(result->indicator);
        row.description = titled ? *result->incidentTitle : result->description;
    }
    row.ageText = relativeTime(result->lastChecked, now, RelativeUnits::Short);

    QStringList parts{row.name, row.description};
    if (result->isMaintenance)
        parts.append(MenuContent::tr("Under Maintenance").toLower());
    if (!row.ageText.isEmpty())
        parts.append(MenuContent::tr("Updated %1").arg(row.ageText).toLower());
    row.accessibilityLabel = parts.join(QStringLiteral(", "));
    return row;
}
