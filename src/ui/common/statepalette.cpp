#include "ui/common/statepalette.h"

#include "ui/common/contrast.h"

namespace {

QColor hue(Indicator indicator)
{
    return QColor::fromString(stateColorName(indicator));
}

} // namespace

QColor stateColor(Indicator indicator, const QColor &background)
{
    return Contrast::readable(hue(indicator), background, Contrast::mark);
}

QColor stateColorOnAny(Indicator indicator)
{
    switch (indicator) {
    case Indicator::None:
    case Indicator::Minor:
    case Indicator::Major:
    case Indicator::Critical:
        return Contrast::readableOnAny(hue(indicator), Contrast::mark);
    case Indicator::Unknown:
        break;
    }
    return Contrast::middleGrey();
}
