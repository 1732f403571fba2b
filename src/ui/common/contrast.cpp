#include "ui/common/contrast.h"

#include <algorithm>
#include <cmath>

namespace Contrast {

namespace {

qreal linear(qreal channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

qreal encoded(qreal linearChannel)
{
    return linearChannel <= 0.0031308 ? linearChannel * 12.92 : 1.055 * std::pow(linearChannel, 1 / 2.4) - 0.055;
}

// In 8 bits a channel, as images and screens take it: a colour measured finer than it is
// drawn could fall short by a rounding.
QColor mixed(const QColor &from, const QColor &to, qreal amount)
{
    const auto channel = [amount](int a, int b) { return int(std::lround(a + (b - a) * amount)); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()), channel(from.blue(), to.blue()));
}

} // namespace

qreal luminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

qreal ratio(const QColor &first, const QColor &second)
{
    const qreal a = luminance(first);
    const qreal b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor over(const QColor &colour, const QColor &background)
{
    return mixed(background.toRgb(), colour.toRgb(), colour.alphaF());
}

QColor readable(const QColor &colour, const QColor &background, qreal minimum)
{
    const QColor shown = over(colour, background);
    if (ratio(shown, background) >= minimum)
        return shown;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const QColor &extreme = ratio(black, background) >= ratio(white, background) ? black : white;
    // the ratio grows steadily on the way to the extreme: halve the step to the least change
    qreal low = 0;
    qreal high = 1;
    for (int step = 0; step < 24; ++step) {
        const qreal middle = (low + high) / 2;
        if (ratio(mixed(shown, extreme, middle), background) >= minimum)
            high = middle;
        else
            low = middle;
    }
    return mixed(shown, extreme, high);
}

QColor readableOnAny(const QColor &colour, qreal minimum)
{
    // Too light for white means moving towards black, which keeps it lighter than anything
    // black would still take: the two moves never undo each other.
    return readable(readable(colour, Qt::black, minimum), Qt::white, minimum);
}

QColor middleGrey()
{
    // (L + 0.05) / 0.05 == 1.05 / (L + 0.05)
    const int level = int(std::lround(255 * encoded(std::sqrt(0.05 * 1.05) - 0.05)));
    return QColor(level, level, level);
}

} // namespace Contrast
