#include "ui/common/glyphwidgets.h"

#include "ui/common/renderers.h"

#include <QPainter>

#include <cmath>

namespace {

void paintCentred(QWidget &widget, const QImage &image)
{
    if (image.isNull())
        return;
    QPainter painter(&widget);
    const QSizeF size = image.deviceIndependentSize();
    painter.drawImage(QPointF((widget.width() - size.width()) / 2, (widget.height() - size.height()) / 2), image);
}

} // namespace

void GlyphCache::setPainter(GlyphPainter painter)
{
    m_painter = std::move(painter);
    m_image = QImage();
    m_paletteKey = -1;
}

const QImage &GlyphCache::image(const QWidget &widget)
{
    const qint64 key = widget.palette().cacheKey();
    const qreal ratio = widget.devicePixelRatioF();
    if (m_painter && (key != m_paletteKey || !qFuzzyCompare(ratio, m_ratio))) {
        m_image = m_painter(widget.palette(), ratio);
        m_paletteKey = key;
        m_ratio = ratio;
    }
    return m_image;
}

GlyphButton::GlyphButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void GlyphButton::setGlyph(GlyphPainter painter)
{
    m_glyph.setPainter(std::move(painter));
    update();
}

void GlyphButton::paintEvent(QPaintEvent *)
{
    if (underMouse() || hasFocus())
        paintTint(*this, palette().color(QPalette::WindowText), hasFocus() ? 0.14 : 0.08, 5);
    paintCentred(*this, m_glyph.image(*this));
}

GlyphLabel::GlyphLabel(qreal side, QWidget *parent)
    : QWidget(parent)
    , m_side(side)
{
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(sizeHint());
}

void GlyphLabel::setGlyph(GlyphPainter painter)
{
    m_glyph.setPainter(std::move(painter));
    update();
}

QSize GlyphLabel::sizeHint() const
{
    const int side = int(std::ceil(m_side));
    return QSize(side, side);
}

void GlyphLabel::paintEvent(QPaintEvent *)
{
    paintCentred(*this, m_glyph.image(*this));
}
