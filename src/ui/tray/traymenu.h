#pragma once

#include "core/service.h"
#include "core/servicestatusresult.h"
#include "ui/common/renderers.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// The glance that opens the tray's menu: the panel header's two lines, then each service
// that is not operational, worst first as in the panel. Trays such as GNOME's show the menu
// on a single click, so this is all the state many users see at first.
struct TrayMenuLine {
    enum class Action {
        None, // shown only (dimmed)
        OpenPanel,
        OpenService, // its details, or the website probe's page
    };

    QString label;
    // What a screen reader says, when more than the label.
    QString accessibleText;
    std::optional<Glyph> glyph;
    Indicator indicator = Indicator::Unknown;
    // Maintenance is drawn in the neutral secondary colour, as in the panel.
    bool neutralGlyph = false;
    Action action = Action::None;
    QUuid service;

    bool operator==(const TrayMenuLine &) const = default;
};

struct TrayMenuInput {
    QList<Service> services;
    QHash<QUuid, ServiceStatusResult> results;
    // The worst readable state, as the meter shows it.
    Indicator aggregate = Indicator::Unknown;
    bool offline = false;
    std::optional<QDateTime> lastUpdated;
    QDateTime now;
};

class TrayMenu
{
    Q_DECLARE_TR_FUNCTIONS(TrayMenu)

public:
    // How many services the glance lists before "N more…".
    static constexpr int listed = 10;
    // Longest name and description shown; longer ones end in "…".
    static constexpr int nameLength = 32;
    static constexpr int descriptionLength = 48;

    static QList<TrayMenuLine> glance(const TrayMenuInput &input);
};
