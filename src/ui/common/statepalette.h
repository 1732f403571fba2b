#pragma once

#include "core/indicator.h"

#include <QColor>

// The one colour of each state, used by the tray meter, the state glyphs and the
// sparklines. Mid-tone hues: each keeps enough contrast on a light and on a dark panel,
// so no second set is needed. A value outside the five states is grey.
QColor stateColor(Indicator indicator);
