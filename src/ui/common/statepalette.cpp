#include "ui/common/statepalette.h"

QColor stateColor(Indicator indicator)
{
    switch (indicator) {
    case Indicator::None:
        return QColor(0x2e, 0xb8, 0x4b); // green
    case Indicator::Minor:
        return QColor(0xe8, 0xb1, 0x00); // yellow, deep enough for white panels
    case Indicator::Major:
        return QColor(0xf5, 0x84, 0x00); // orange
    case Indicator::Critical:
        return QColor(0xeb, 0x3b, 0x30); // red
    case Indicator::Unknown:
        break;
    }
    return QColor(0x8e, 0x8e, 0x93); // grey
}
