#pragma once

#include <QColor>

// Contrast as providers need it (the relative luminance and contrast ratio of WCAG 2): text
// wants 4.5:1 against what lies behind it, marks that carry meaning (state symbols, bars,
// a control's outline) want 3:1. Themes choose their own colours, so Glinter's colours are
// taken from the palette and then moved until they reach these ratios.
namespace Contrast {

inline constexpr qreal text = 4.5;
inline constexpr qreal mark = 3.0;

// 0 for black to 1 for white; the colour's alpha is ignored.
qreal luminance(const QColor &colour);
// From 1 (the same) to 21 (black on white), either way round; alphas are ignored.
qreal ratio(const QColor &first, const QColor &second);
// `colour` as it shows over the opaque `background`, alpha and all: the colour to measure.
QColor over(const QColor &colour, const QColor &background);
// `colour` (as it shows over `background`) if it reaches `minimum` there, else the least
// change of it towards black or white (whichever lies further from the background) that
// does. Opaque. Black or white reach 4.58:1 against any colour, so every minimum up to that
// is met.
QColor readable(const QColor &colour, const QColor &background, qreal minimum);
// A colour that keeps `minimum` against black and against white alike, as near `colour` as
// that allows: for places whose background is not ours (a desktop's top bar, a tray menu).
// Met for every minimum up to 4.58:1.
QColor readableOnAny(const QColor &colour, qreal minimum);
// The grey as far from black as from white: 4.58:1 against both, the most any colour has.
QColor middleGrey();

} // namespace Contrast
