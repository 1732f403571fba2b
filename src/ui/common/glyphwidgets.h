#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QWidget>

#include <functional>

// Draws a glyph for a palette at a device pixel ratio. Glyphs are drawn when painted, so
// that they follow a change of theme or a move to a screen of another ratio.
using GlyphPainter = std::function<QImage(const QPalette &palette, qreal devicePixelRatio)>;

// Keeps the image of a glyph for the palette and ratio it was last drawn for.
class GlyphCache
{
public:
    void setPainter(GlyphPainter painter);
    const QImage &image(const QWidget &widget);

private:
    GlyphPainter m_painter;
    QImage m_image;
    qint64 m_paletteKey = -1;
    qreal m_ratio = 0;
};

// A borderless button showing one glyph, with a rounded background while hovered.
class GlyphButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit GlyphButton(QWidget *parent = nullptr);

    void setGlyph(GlyphPainter painter);

    QSize sizeHint() const override { return QSize(22, 22); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GlyphCache m_glyph;
};

// A glyph that is only looked at: not focusable, silent to screen readers.
class GlyphLabel : public QWidget
{
    Q_OBJECT

public:
    GlyphLabel(qreal side, QWidget *parent = nullptr);

    void setGlyph(GlyphPainter painter);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    qreal m_side;
    GlyphCache m_glyph;
};
