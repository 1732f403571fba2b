#pragma once

// What providers need of colours, worked out here from the definition (WCAG 2's relative
// luminance and contrast ratio) rather than taken from the program, so that a fault in the
// program's own arithmetic cannot pass its own test.

#include <QColor>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>
#include <cmath>
#include <memory>

namespace ContrastCheck {

inline constexpr double text = 4.5;
inline constexpr double mark = 3.0;

inline double relativeLuminance(const QColor &colour)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.red()) + 0.7152 * channel(rgb.green()) + 0.0722 * channel(rgb.blue());
}

// `colour` with its alpha as it shows over the opaque `background`.
inline QColor shownOver(const QColor &colour, const QColor &background)
{
    const double a = colour.alphaF();
    const auto mix = [a](int top, int bottom) { return int(std::lround(top * a + bottom * (1 - a))); };
    return QColor(mix(colour.red(), background.red()), mix(colour.green(), background.green()),
                  mix(colour.blue(), background.blue()));
}

// The contrast ratio of `colour`, as shown over `background`, against the background.
inline double ratio(const QColor &colour, const QColor &background)
{
    const double a = relativeLuminance(shownOver(colour, background));
    const double b = relativeLuminance(background);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// Fusion's own light palette, as a desktop without a theme shows Glinter.
inline QPalette lightPalette()
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    return fusion->standardPalette();
}

// A dark palette as dark themes make them: light text on a dark grey, a mid blue accent.
inline QPalette darkPalette()
{
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xec));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xec));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xec));
    dark.setColor(QPalette::Base, QColor(0x2d, 0x2d, 0x2d));
    dark.setColor(QPalette::AlternateBase, QColor(0x3a, 0x3a, 0x3a));
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Link, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::PlaceholderText, QColor(0xee, 0xee, 0xec, 0x80));
    return dark;
}

// A dark palette whose accent is deep (as some dark themes keep the light theme's): an
// accent that must be lifted to read at all.
inline QPalette deepAccentPalette()
{
    QPalette dark = darkPalette();
    dark.setColor(QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
    return dark;
}

} // namespace ContrastCheck
