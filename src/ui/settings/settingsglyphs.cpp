#include "ui/settings/settingsglyphs.h"

#include "ui/common/renderers.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

namespace {

// Every glyph is drawn on a 16 × 16 grid and scaled.
void draw(QPainter &p, SettingsGlyph glyph, const QColor &color)
{
    QPen line(color, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(line);
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
    case SettingsGlyph::Bell:
    case SettingsGlyph::BellSlash: {
        QPainterPath bell;
        bell.moveTo(3, 11.5);
        bell.lineTo(4.2, 10);
        bell.lineTo(4.2, 7);
        bell.cubicTo(4.2, 4.2, 6, 2.6, 8, 2.6);
        bell.cubicTo(10, 2.6, 11.8, 4.2, 11.8, 7);
        bell.lineTo(11.8, 10);
        bell.lineTo(13, 11.5);
        bell.closeSubpath();
        if (glyph == SettingsGlyph::BellSlash) {
            p.setBrush(color);
            p.drawPath(bell);
            p.drawEllipse(QPointF(8, 13.2), 1.4, 1.4);
            // The stroke is cut out of the fill, then drawn.
            p.setCompositionMode(QPainter::CompositionMode_Clear);
            p.setPen(QPen(Qt::black, 3.2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(2.5, 2.5), QPointF(13.5, 13.5));
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            p.setPen(line);
            p.drawLine(QPointF(2.5, 2.5), QPointF(13.5, 13.5));
        } else {
            p.drawPath(bell);
            p.drawArc(QRectF(6.6, 11.6, 2.8, 2.8), 180 * 16, 180 * 16);
        }
        break;
    }
    case SettingsGlyph::Trash:
        p.drawLine(QPointF(2.5, 4), QPointF(13.5, 4));
        p.drawPolyline(QPolygonF({QPointF(6, 4), QPointF(6, 2.2), QPointF(10, 2.2), QPointF(10, 4)}));
        p.drawPolygon(QPolygonF({QPointF(4, 4), QPointF(4.8, 14), QPointF(11.2, 14), QPointF(12, 4)}));
        p.drawLine(QPointF(6.8, 6.5), QPointF(6.8, 11.5));
        p.drawLine(QPointF(9.2, 6.5), QPointF(9.2, 11.5));
        break;
    case SettingsGlyph::Filter:
    case SettingsGlyph::FilterFilled: {
        const QRectF circle(1.2, 1.2, 13.6, 13.6);
        if (glyph == SettingsGlyph::FilterFilled) {
            p.setPen(Qt::NoPen);
            p.setBrush(color);
            p.drawEllipse(circle);
            p.setCompositionMode(QPainter::CompositionMode_Clear);
            p.setPen(QPen(Qt::black, 1.4, Qt::SolidLine, Qt::RoundCap));
        } else {
            p.drawEllipse(circle);
        }
        p.drawLine(QPointF(4.6, 5.8), QPointF(11.4, 5.8));
        p.drawLine(QPointF(5.8, 8), QPointF(10.2, 8));
        p.drawLine(QPointF(7, 10.2), QPointF(9, 10.2));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    }
    case SettingsGlyph::Magnifier:
        p.drawEllipse(QRectF(2, 2, 9, 9));
        p.setPen(QPen(color, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9.8, 9.8), QPointF(14, 14));
        break;
    case SettingsGlyph::ClearCircle:
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
        p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    case SettingsGlyph::Circle:
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        break;
    case SettingsGlyph::DragHandle:
        for (const qreal y : {4.5, 8.0, 11.5})
            p.drawLine(QPointF(2.5, y), QPointF(13.5, y));
        break;
    }
}

} // namespace

QImage renderGlyph(SettingsGlyph glyph, const QColor &color, qreal side, qreal devicePixelRatio)
{
    return renderSquare(side, devicePixelRatio, [&](QPainter &painter) {
        painter.scale(1 / 16.0, 1 / 16.0);
        draw(painter, glyph, color);
    });
}

GlyphPainter settingsGlyph(SettingsGlyph glyph, std::function<QColor(const QPalette &)> colour, qreal side)
{
    return [glyph, colour = std::move(colour), side](const QPalette &palette, qreal ratio) {
        return renderGlyph(glyph, colour(palette), side, ratio);
    };
}

namespace {

class PaintedIconEngine : public QIconEngine
{
public:
    using Draw = std::function<void(QPainter &, const QColor &)>;

    PaintedIconEngine(QPalette::ColorRole role, Draw draw)
        : m_role(role)
        , m_draw(std::move(draw))
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size() * ratio, mode, state, ratio));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // `size` is in device pixels already, as QIcon asks for it.
    QPixmap scaledPixmap(const QSize &pixels, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        if (pixels.isEmpty() || pixels.width() > 1024 || pixels.height() > 1024)
            return {};
        QPixmap pixmap(pixels);
        pixmap.fill(Qt::transparent);
        const QPalette palette = QGuiApplication::palette();
        const QColor colour = palette.color(mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active, m_role);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal side = std::min(pixels.width(), pixels.height());
        painter.translate((pixels.width() - side) / 2, (pixels.height() - side) / 2);
        painter.scale(side / 16.0, side / 16.0);
        m_draw(painter, colour);
        painter.end();
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(16, 16), QSize(32, 32)}; }
    QIconEngine *clone() const override { return new PaintedIconEngine(m_role, m_draw); }
    QString key() const override { return QStringLiteral("glinter-painted"); }

private:
    QPalette::ColorRole m_role;
    Draw m_draw;
};

} // namespace

QIcon paintedIcon(QPalette::ColorRole role, std::function<void(QPainter &, const QColor &)> draw)
{
    return QIcon(new PaintedIconEngine(role, std::move(draw)));
}
