#pragma once

#include "ui/common/glyphwidgets.h"

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPalette>

#include <functional>

class QPainter;

// The settings window's own small symbols, drawn on the state glyphs' square (renderers.h):
// an image of `side` logical pixels with its device pixel ratio set.
enum class SettingsGlyph {
    Bell, // notifications on
    BellSlash, // notifications muted (filled, struck through)
    Trash,
    Filter, // three shortening lines in a circle: no component selection
    FilterFilled, // the same, filled: a component selection is set
    Magnifier,
    ClearCircle, // a filled circle with a cross cut out
    Circle, // an empty check mark place
    DragHandle, // three horizontal lines
};

QImage renderGlyph(SettingsGlyph glyph, const QColor &color, qreal side, qreal devicePixelRatio);

// The glyph at `side` pixels, drawn when painted in a colour of the palette of the moment.
GlyphPainter settingsGlyph(SettingsGlyph glyph, std::function<QColor(const QPalette &)> colour, qreal side = 13);

// An icon drawn when it is shown, at the size and pixel ratio asked for, by a routine that
// draws on a 16 × 16 canvas (antialiased) in a colour of the application's palette at that
// moment: the icon follows a change of theme and a move to a screen of another ratio. The
// disabled icon takes the colour from the palette's disabled group.
QIcon paintedIcon(QPalette::ColorRole role, std::function<void(QPainter &, const QColor &)> draw);
