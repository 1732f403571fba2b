#include "ui/common/renderers.h"

#include "ui/common/statepalette.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include <array>
#include <cmath>
#include <optional>

namespace {

constexpr qreal barWidth = 3.5;
constexpr qreal barGap = 2.5;
constexpr qreal barRadius = 1.5;
constexpr std::array<qreal, 3> barHeights{7, 11, 15};

bool usableRatio(qreal ratio)
{
    return std::isfinite(ratio) && ratio > 0 && ratio <= 8;
}

QImage transparentImage(const QSize &pixels, qreal ratio)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(ratio);
    return image;
}

QImage emptyMeter()
{
    QImage image(meterSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// The brightest bar of every state is solid: it is what must stand out on any top bar.
qreal barOpacity(Indicator indicator, int bar)
{
    switch (indicator) {
    case Indicator::None:
    case Indicator::Unknown:
        return 1.0;
    case Indicator::Minor:
        return bar == 0 ? 0.5 : 1.0;
    case Indicator::Major:
    case Indicator::Critical:
        return 0.4 + 0.3 * bar;
    }
    return 1.0;
}

// Draws the meter in its own 18 × 16 coordinates.
void paintMeter(QPainter &painter, Indicator indicator)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const qreal total = 3 * barWidth + 2 * barGap;
    const qreal left = (meterSize.width() - total) / 2;
    for (int bar = 0; bar < 3; ++bar) {
        QColor color = stateColorOnAny(indicator);
        color.setAlphaF(float(barOpacity(indicator, bar)));
        painter.setBrush(color);
        const qreal height = barHeights[std::size_t(bar)];
        const QRectF rect(left + bar * (barWidth + barGap), meterSize.height() - height, barWidth, height);
        painter.drawRoundedRect(rect, barRadius, barRadius);
    }
}

// Marks cut out of filled shapes are cleared, so they show whatever lies behind the glyph.
void cutOut(QPainter &painter, const QPainterPath &path, qreal width)
{
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.restore();
}

void cutOutDot(QPainter &painter, const QPointF &centre, qreal radius)
{
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
}

QPainterPath octagon()
{
    QPainterPath path;
    for (int corner = 0; corner < 8; ++corner) {
        const qreal angle = (22.5 + 45.0 * corner) * M_PI / 180.0;
        const QPointF point(0.5 + 0.5 * std::cos(angle), 0.5 + 0.5 * std::sin(angle));
        if (corner == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

void cutOutExclamation(QPainter &painter, qreal top, qreal bottom)
{
    QPainterPath stem;
    stem.moveTo(0.5, top);
    stem.lineTo(0.5, bottom);
    cutOut(painter, stem, 0.13);
    cutOutDot(painter, QPointF(0.5, bottom + 0.17), 0.075);
}

// Full-height bars of 2 with gaps of 1 in a frame of `size`, the last at the right edge, so
// that a short list grows in from the right; an absent colour leaves its place empty.
QImage renderBars(const QSize &size, const QList<std::optional<QColor>> &bars, qreal devicePixelRatio)
{
    if (!usableRatio(devicePixelRatio))
        devicePixelRatio = 1.0;
    const QSize pixels(qRound(size.width() * devicePixelRatio), qRound(size.height() * devicePixelRatio));
    QImage image = transparentImage(pixels, devicePixelRatio);
    if (image.isNull())
        return image;
    QPainter painter(&image); // the image's ratio scales the painter to logical pixels
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const qsizetype count = bars.size();
    for (qsizetype i = 0; i < count; ++i) {
        if (!bars.at(i))
            continue;
        painter.setBrush(*bars.at(i));
        // bar i of `count` ends `count - i - 1` places before the right edge
        const qreal x = size.width() - double(count - i) * 3.0 + 1.0;
        painter.drawRoundedRect(QRectF(x, 0, 2, size.height()), 1, 1);
    }
    return image;
}

// Draws a glyph in the unit square; the painter is scaled to the glyph's side.
void paintGlyph(QPainter &painter, Glyph glyph, const QColor &color)
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QPen line(color, 0.09, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    switch (glyph) {
    case Glyph::Question: {
        painter.setPen(line);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(0.06, 0.06, 0.88, 0.88));
        QPainterPath hook;
        hook.moveTo(0.36, 0.38);
        hook.arcTo(QRectF(0.36, 0.22, 0.28, 0.28), 180, -250);
        hook.quadTo(0.5, 0.52, 0.5, 0.6);
        painter.drawPath(hook);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(QPointF(0.5, 0.74), 0.06, 0.06);
        return;
    }
    case Glyph::Check: {
        painter.drawEllipse(QRectF(0, 0, 1, 1));
        QPainterPath tick;
        tick.moveTo(0.28, 0.52);
        tick.lineTo(0.44, 0.68);
        tick.lineTo(0.73, 0.34);
        cutOut(painter, tick, 0.12);
        return;
    }
    case Glyph::Triangle: {
        QPainterPath triangle;
        triangle.moveTo(0.5, 0.04);
        triangle.lineTo(0.98, 0.92);
        triangle.lineTo(0.02, 0.92);
        triangle.closeSubpath();
        painter.setPen(QPen(color, 0.08, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(triangle);
        cutOutExclamation(painter, 0.36, 0.62);
        return;
    }
    case Glyph::Octagon:
        painter.drawPath(octagon());
        cutOutExclamation(painter, 0.24, 0.56);
        return;
    case Glyph::CrossOctagon: {
        painter.drawPath(octagon());
        QPainterPath cross;
        cross.moveTo(0.33, 0.33);
        cross.lineTo(0.67, 0.67);
        cross.moveTo(0.67, 0.33);
        cross.lineTo(0.33, 0.67);
        cutOut(painter, cross, 0.12);
        return;
    }
    case Glyph::Wrench: {
        painter.setPen(QPen(color, 0.16, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0.18, 0.82), QPointF(0.58, 0.42));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(0.68, 0.32), 0.26, 0.26);
        // the open jaw of the wrench
        QPainterPath jaw;
        jaw.moveTo(0.72, 0.28);
        jaw.lineTo(0.98, 0.02);
        cutOut(painter, jaw, 0.16);
        return;
    }
    case Glyph::Refresh: {
        painter.setPen(line);
        painter.setBrush(Qt::NoBrush);
        const QRectF circle(0.14, 0.14, 0.72, 0.72);
        painter.drawArc(circle, 60 * 16, 290 * 16);
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        QPainterPath head;
        head.moveTo(0.56, 0.02);
        head.lineTo(0.86, 0.18);
        head.lineTo(0.58, 0.38);
        head.closeSubpath();
        painter.drawPath(head);
        return;
    }
    case Glyph::Gear: {
        for (int tooth = 0; tooth < 8; ++tooth) {
            painter.save();
            painter.translate(0.5, 0.5);
            painter.rotate(45.0 * tooth);
            painter.drawRoundedRect(QRectF(-0.09, -0.5, 0.18, 0.3), 0.04, 0.04);
            painter.restore();
        }
        painter.drawEllipse(QPointF(0.5, 0.5), 0.34, 0.34);
        cutOutDot(painter, QPointF(0.5, 0.5), 0.14);
        return;
    }
    case Glyph::Power: {
        painter.setPen(line);
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(0.12, 0.16, 0.76, 0.76), 125 * 16, 290 * 16);
        painter.drawLine(QPointF(0.5, 0.06), QPointF(0.5, 0.46));
        return;
    }
    case Glyph::Info: {
        painter.setPen(line);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(0.06, 0.06, 0.88, 0.88));
        painter.setPen(QPen(color, 0.11, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0.5, 0.46), QPointF(0.5, 0.72));
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(QPointF(0.5, 0.3), 0.065, 0.065);
        return;
    }
    case Glyph::OpenArrow: {
        painter.setPen(line);
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(0.08, 0.08, 0.84, 0.84), 0.2, 0.2);
        painter.drawLine(QPointF(0.34, 0.66), QPointF(0.68, 0.32));
        QPainterPath head;
        head.moveTo(0.42, 0.32);
        head.lineTo(0.68, 0.32);
        head.lineTo(0.68, 0.58);
        painter.drawPath(head);
        return;
    }
    }
}

} // namespace

QImage renderMeter(Indicator indicator, qreal devicePixelRatio)
{
    if (!usableRatio(devicePixelRatio))
        return emptyMeter();
    const QSize pixels(qRound(meterSize.width() * devicePixelRatio), qRound(meterSize.height() * devicePixelRatio));
    QImage image = transparentImage(pixels, devicePixelRatio);
    if (image.isNull())
        return emptyMeter();
    QPainter painter(&image);
    if (!painter.isActive())
        return emptyMeter();
    paintMeter(painter, indicator);
    return image;
}

QImage renderMeter(Indicator indicator, const QSize &pixelSize)
{
    if (pixelSize.isEmpty() || pixelSize.width() > 1024 || pixelSize.height() > 1024)
        return emptyMeter();
    QImage image = transparentImage(pixelSize, 1.0);
    if (image.isNull())
        return emptyMeter();
    QPainter painter(&image);
    if (!painter.isActive())
        return emptyMeter();
    const qreal scale = std::min(qreal(pixelSize.width()) / meterSize.width(),
                                 qreal(pixelSize.height()) / meterSize.height());
    painter.translate((pixelSize.width() - meterSize.width() * scale) / 2,
                      (pixelSize.height() - meterSize.height() * scale) / 2);
    painter.scale(scale, scale);
    paintMeter(painter, indicator);
    return image;
}

Glyph stateGlyph(Indicator indicator)
{
    switch (indicator) {
    case Indicator::None:
        return Glyph::Check;
    case Indicator::Minor:
        return Glyph::Triangle;
    case Indicator::Major:
        return Glyph::Octagon;
    case Indicator::Critical:
        return Glyph::CrossOctagon;
    case Indicator::Unknown:
        break;
    }
    return Glyph::Question;
}

QImage renderGlyph(Glyph glyph, const QColor &color, qreal side, qreal devicePixelRatio)
{
    return renderSquare(side, devicePixelRatio, [&](QPainter &painter) { paintGlyph(painter, glyph, color); });
}

QImage renderSquare(qreal side, qreal devicePixelRatio, const std::function<void(QPainter &)> &paint)
{
    if (!usableRatio(devicePixelRatio) || !(side > 0) || side > 512)
        return QImage();
    // The tolerance keeps a product that is whole but for the float's error (12 × 1.1) from
    // taking a pixel more.
    const int pixels = int(std::ceil(side * devicePixelRatio - 1e-6));
    QImage image = transparentImage(QSize(pixels, pixels), devicePixelRatio);
    if (image.isNull())
        return image;
    QPainter painter(&image); // the image's ratio scales the painter to logical pixels
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side, side);
    paint(painter);
    return image;
}

QImage renderSparkline(const QList<Indicator> &samples, const QColor &background, qreal devicePixelRatio)
{
    const qsizetype count = std::min(samples.size(), sparklineBars);
    QList<std::optional<QColor>> bars;
    bars.reserve(count);
    for (qsizetype i = samples.size() - count; i < samples.size(); ++i)
        bars.append(stateColor(samples.at(i), background));
    return renderBars(sparklineSize, bars, devicePixelRatio);
}

QImage renderWeekStrip(const QList<std::optional<Indicator>> &slots, const QColor &empty, const QColor &background,
                       qreal devicePixelRatio)
{
    const qsizetype count = std::min(slots.size(), weekStripSlots);
    QList<std::optional<QColor>> bars;
    bars.reserve(count);
    for (qsizetype i = slots.size() - count; i < slots.size(); ++i)
        bars.append(slots.at(i) ? stateColor(*slots.at(i), background) : empty);
    return renderBars(weekStripSize, bars, devicePixelRatio);
}

void paintTint(QWidget &widget, QColor colour, qreal alpha, qreal radius)
{
    QPainter painter(&widget);
    painter.setRenderHint(QPainter::Antialiasing);
    colour.setAlphaF(float(alpha));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(widget.rect()), radius, radius);
}
