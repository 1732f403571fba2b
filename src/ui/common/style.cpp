#include "ui/common/style.h"

#include "ui/common/contrast.h"
#include "ui/common/statepalette.h"

#include <QEvent>
#include <QFrame>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QStyle>

namespace {

QPalette inGroup(QPalette palette, QPalette::ColorGroup group)
{
    palette.setCurrentColorGroup(group);
    return palette;
}

} // namespace

namespace Style {

namespace {

// The window's colour at the palette's current group: what text and marks are measured against.
QColor ground(const QPalette &palette)
{
    QColor colour = palette.color(QPalette::Window);
    colour.setAlpha(255);
    return colour;
}

// `colour` faded to `alpha` over the window, then brought to `minimum` against it.
QColor onWindow(const QPalette &palette, QColor colour, float alpha, qreal minimum)
{
    colour.setAlphaF(alpha);
    return Contrast::readable(colour, ground(palette), minimum);
}

constexpr const char *toneProperty = "glinterTone";
constexpr const char *toneKeptProperty = "glinterToneKept";

// Sets a label's secondary or error colour for the palette it has now, in the groups a shown
// label is drawn in; no change when it already has them, which ends the palette change
// this causes.
void applyTone(QLabel &label)
{
    const auto tone = Tone(label.property(toneProperty).toInt());
    if (tone == Tone::Primary)
        return;
    const QPalette::ColorRole role = tone == Tone::Error ? QPalette::WindowText : QPalette::PlaceholderText;
    QPalette palette = label.palette();
    bool changed = false;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const QPalette current = inGroup(palette, group);
        const QColor colour = tone == Tone::Error ? error(current) : secondary(current);
        if (!palette.isBrushSet(group, role) || palette.color(group, role) != colour) {
            palette.setColor(group, role, colour);
            changed = true;
        }
    }
    if (changed)
        label.setPalette(palette);
}

// The secondary and error colours are worked out from the window's colours, which a theme
// switch changes: a label in either tone works its colour out again whenever its palette
// changes.
class ToneKeeper : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange) {
            if (auto *label = qobject_cast<QLabel *>(watched))
                applyTone(*label);
        }
        return false;
    }
};

} // namespace

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
    // Not the theme's placeholder colour: placeholders may be fainter than text is allowed to be.
    return onWindow(palette, palette.color(QPalette::WindowText), 0.55f, Contrast::text);
}

QColor tertiary(const QPalette &palette)
{
    return onWindow(palette, palette.color(QPalette::WindowText), 0.35f, Contrast::mark);
}

QColor error(const QPalette &palette)
{
    const bool dark = palette.color(QPalette::Window).lightness() < 128;
    return Contrast::readable(dark ? QColor(0xff, 0x6b, 0x60) : QColor(0xd7, 0x37, 0x2f), ground(palette),
                              Contrast::text);
}

QColor accentText(const QPalette &palette)
{
    return Contrast::readable(palette.color(QPalette::Highlight), ground(palette), Contrast::text);
}

QColor accentMark(const QPalette &palette)
{
    return Contrast::readable(palette.color(QPalette::Highlight), ground(palette), Contrast::mark);
}

QColor stateMark(const QPalette &palette, Indicator indicator)
{
    return stateColor(indicator, ground(palette));
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
    setTone(*label, Tone::Secondary);
    return label;
}

void setTone(QLabel &label, Tone tone)
{
    label.setProperty(toneProperty, int(tone));
    label.setForegroundRole(tone == Tone::Secondary ? QPalette::PlaceholderText : QPalette::WindowText);
    // drops the colour of an earlier tone; primary text is the palette's own
    label.setPalette(QPalette());
    if (!label.property(toneKeptProperty).toBool()) {
        label.installEventFilter(new ToneKeeper(&label));
        label.setProperty(toneKeptProperty, true);
    }
    applyTone(label);
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
        tinted.setColor(group, QPalette::ButtonText, Style::accentText(inGroup(tinted, group)));
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
