#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>

#include <functional>

class QPainter;

// The settings window's own small symbols, drawn like the state glyphs (renderers.h): pure
// functions returning an image of `side` logical pixels with its device pixel ratio set.
enum class SettingsGlyph {
    Bell,           // notifications on
    BellSlash,      // notifications muted (filled, struck through)
    Trash,
    Filter,         // three shortening lines in a circle: no component selection
    FilterFilled,   // the same, filled: a component selection is set
    Magnifier,
    ClearCircle,    // a filled circle with a cross cut out
    Circle,         // an empty check mark place
    DragHandle,     // three horizontal lines
};

QImage renderSettingsGlyph(SettingsGlyph glyph, const QColor &color, qreal side, qreal devicePixelRatio);

// An icon at 16 and 32 pixels from a routine that draws on a 16 × 16 canvas (antialiased).
QIcon paintedIcon(const std::function<void(QPainter &)> &draw);
