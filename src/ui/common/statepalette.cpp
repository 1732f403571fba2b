#include "ui/common/statepalette.h"

QColor stateColor(Indicator indicator)
{
    return QColor::fromString(stateColorName(indicator));
}
