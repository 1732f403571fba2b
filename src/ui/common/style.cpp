#include "ui/common/style.h"

#include <QEvent>
#include <QFrame>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QStyle>

namespace Style {

QFont font(const QFont &base, Text size, QFont::Weight weight)
{
    qreal ratio = 1.0;
    switch (size) {
    case Text::Caption:
        ratio = 0.77;
        break;
    case Text::Footnote:
        ratio = 0.85;
        break;
    case Text::Callout:
        ratio = 0.92;
        break;
    case Text::Body:
        break;
    case Text::Headline:
        ratio = 1.08;
        break;
    case Text::Title:
        ratio = 1.54;
        break;
    }
    QFont font = base;
    if (base.pointSizeF() > 0)
        font.setPointSizeF(base.pointSizeF() * ratio);
    else if (base.pixelSize() > 0)
        font.setPixelSize(std::max(1, qRound(base.pixelSize() * ratio)));
    font.setWeight(weight);
    return font;
}

QColor secondary(const QPalette &palette)
{
    return palette.color(QPalette::PlaceholderText);
}

QColor tertiary(const QPalette &palette)
{
    QColor colour = palette.color(QPalette::WindowText);
    colour.setAlphaF(0.35f);
    return colour;
}

QColor error(const QPalette &palette)
{
    const bool dark = palette.color(QPalette::Window).lightness() < 128;
    return dark ? QColor(0xff, 0x6b, 0x60) : QColor(0xd7, 0x37, 0x2f);
}

QLabel *plainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

QLabel *secondaryLabel(QWidget *parent, Text size, QFont::Weight weight)
{
    QLabel *label = plainLabel(QString(), parent);
    label->setFont(font(label->font(), size, weight));
    // A role, not a colour: it is looked up in the palette of the moment.
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

void setTone(QLabel &label, Tone tone)
{
    // Only the error colour is set; the others are roles of the palette of the moment.
    label.setPalette(QPalette());
    label.setForegroundRole(tone == Tone::Secondary ? QPalette::PlaceholderText : QPalette::WindowText);
    if (tone == Tone::Error) {
        QPalette palette = label.palette();
        palette.setColor(QPalette::WindowText, error(palette));
        label.setPalette(palette);
    }
}

void setPlainToolTip(QWidget &widget, const QString &text)
{
    widget.setToolTip(text.toHtmlEscaped());
    widget.setAccessibleDescription(text);
}

QPushButton *tintedButton(const QString &text, QWidget *parent)
{
    return new TintedButton(text, parent);
}

QFrame *divider(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace Style

TintedButton::TintedButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    setFlat(true);
    setFont(Style::font(font(), Style::Text::Footnote));
    setCursor(Qt::PointingHandCursor);
    tint();
}

void TintedButton::changeEvent(QEvent *event)
{
    QPushButton::changeEvent(event);
    // A new theme brings a new accent; the text colour set from the old one is ours to renew.
    if (event->type() == QEvent::PaletteChange && !m_tinting)
        tint();
}

void TintedButton::tint()
{
    m_tinting = true;
    QPalette tinted = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        tinted.setColor(group, QPalette::ButtonText, tinted.color(group, QPalette::Highlight));
    setPalette(tinted);
    m_tinting = false;
}

ElidedLabel::ElidedLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QSize ElidedLabel::minimumSizeHint() const
{
    QSize size = QLabel::minimumSizeHint();
    size.setWidth(fontMetrics().horizontalAdvance(QStringLiteral("W…")));
    return size;
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(QString(text()).replace(u'\n', u' '), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown, foregroundRole());
}
