#pragma once

#include "core/indicator.h"

#include <QColor>

// The colour of each state, used by the tray meter, the state glyphs and the sparklines:
// one hue per state (a value outside the five states is grey), made as light or as dark as
// the background asks for a mark to stand out at 3:1. A yellow that glows on a dark panel
// is lost on a light one, so no single shade serves both.

// The state's hue as a mark on `background` (opaque), at least 3:1 against it.
QColor stateColor(Indicator indicator, const QColor &background);

// The state's hue where the background is not known (the desktop's top bar, the tray's
// menu): at least 3:1 against black and against white alike. Unknown is the grey midway
// between the two, the one that reads best on either.
QColor stateColorOnAny(Indicator indicator);
