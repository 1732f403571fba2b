#pragma once

#include "core/indicator.h"
#include "core/service.h"
#include "core/servicestatusresult.h"
#include "monitor/overview.h"
#include "ui/common/renderers.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QRect>
#include <QString>
#include <QUuid>

#include <optional>

// What the panel shows, as pure functions of the monitor's data and the current time
// (its order and header words are in monitor/overview.h).

enum class RelativeUnits {
    Full, // "5 minutes ago"
    Short, // "5 min. ago"
};

// How long ago `moment` was, in the user's locale. A moment within the last second, or one
// in the future (a clock that went back), reads as now.
QString relativeTime(const QDateTime &moment, const QDateTime &now, RelativeUnits units);

// The header's second line: "Updated …" or, before any result, "Checking…".
QString updatedText(const std::optional<QDateTime> &lastUpdated, const QDateTime &now);

// What the panel and the menu say while the list of services is empty.
QString noServicesText();

// The spoken state of the meter, also the tail of the tray's tooltip.
QString accessibilityState(Indicator indicator);

// "Glinter — " and the spoken state.
QString trayToolTip(Indicator indicator);

// Everything one service row shows.
struct RowContent {
    Glyph glyph = Glyph::Question;
    // Maintenance is tinted in the neutral secondary text colour, not a state colour.
    bool neutralGlyph = false;
    Indicator indicator = Indicator::Unknown;
    QString name;
    QString description;
    QString ageText;
    QString accessibilityLabel;
    QString toolTip;
    QUrl page;

    bool operator==(const RowContent &) const = default;
};

RowContent rowContent(const Service &service, const std::optional<ServiceStatusResult> &result, const QDateTime &now);
