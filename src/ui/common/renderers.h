#pragma once

#include "core/indicator.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>

#include <functional>
#include <optional>

class QPainter;
class QWidget;

// Pure drawing of the tray meter, the state glyphs and the sparkline. Every function
// returns an image with its device pixel ratio set, so a widget paints it at its size in
// logical pixels.

// The meter's frame in logical pixels.
inline constexpr QSize meterSize{18, 16};
// The sparkline's frame: 16 bars of 2 with gaps of 1.
inline constexpr QSize sparklineSize{47, 12};
inline constexpr qsizetype sparklineBars = 16;
// The week strip's frame: 84 places of two hours, bars of 2 with gaps of 1.
inline constexpr qsizetype weekStripSlots = 84;
inline constexpr QSize weekStripSize{int(weekStripSlots) * 3 - 1, 16};

// Three bars, 7, 11 and 15 high, coloured and ramped by the state, in colours that read on a
// black and on a white top bar alike (at least the tallest bar: 3:1 on both). When the ratio is not
// usable (not finite, not positive, absurdly large) or the image cannot be made, the result
// is an empty (transparent) 18 × 16 image, never a null one.
QImage renderMeter(Indicator indicator, qreal devicePixelRatio);

// The meter scaled to fit a square or oblong pixel size a tray asks for, centred, at ratio 1.
QImage renderMeter(Indicator indicator, const QSize &pixelSize);

// The symbols drawn next to states and on buttons.
enum class Glyph {
    Question, // unknown: a circle with a question mark
    Check, // operational: a filled circle with a check cut out
    Triangle, // degraded: a filled triangle with an exclamation mark cut out
    Octagon, // partial outage: a filled octagon with an exclamation mark cut out
    CrossOctagon, // major outage: a filled octagon with a cross cut out
    Wrench, // maintenance
    Refresh, // a circular arrow
    Gear,
    Power,
    OpenArrow, // a box with an arrow leaving it to the upper right
    Info, // a circle with an "i": details
};

// The state symbol of an indicator (a value outside the five states reads as unknown).
Glyph stateGlyph(Indicator indicator);

// A glyph in a square of `side` logical pixels.
QImage renderGlyph(Glyph glyph, const QColor &color, qreal side, qreal devicePixelRatio);

// The image every glyph is drawn on: a transparent square of `side` logical pixels at the
// ratio, on which `paint` draws in the unit square, antialiased. Its side in device pixels
// is rounded up, so that at a ratio such as 1.25 (13 × 1.25 = 16.25) the drawing's right
// and bottom edge is not cut off. Null when the side is not in (0, 512] or the ratio is not
// usable (not finite, not positive, over 8).
QImage renderSquare(qreal side, qreal devicePixelRatio, const std::function<void(QPainter &)> &paint);

// The newest 16 samples as bars of the state colours as marks on `background` (3:1), the
// newest at the right edge, so a short history grows in from the right.
QImage renderSparkline(const QList<Indicator> &samples, const QColor &background, qreal devicePixelRatio);

// The week in places of equal time, oldest first, as bars like the sparkline's: a place's
// state in its colour on `background`, a place without samples in `empty` as given. The
// newest place is at the right edge; places beyond the strip's 84 are the oldest and left out.
QImage renderWeekStrip(const QList<std::optional<Indicator>> &slots, const QColor &empty, const QColor &background,
                       qreal devicePixelRatio);

// Fills `widget` with a rounded rectangle of `colour` at `alpha` opacity: the soft panels,
// fields and focus marks drawn behind widgets' contents.
void paintTint(QWidget &widget, QColor colour, qreal alpha, qreal radius);
