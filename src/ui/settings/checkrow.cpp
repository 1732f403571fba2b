#include "ui/settings/checkrow.h"

#include "ui/common/renderers.h"
#include "ui/common/style.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int glyphSide = 14;
constexpr int spacing = 8;
constexpr int margin = 6;

QFont titleFont(const QFont &base)
{
    QFont font = base;
    font.setWeight(QFont::Medium);
    return font;
}

QFont detailFont(const QFont &base)
{
    return Style::font(base, Style::Text::Footnote);
}

} // namespace

CheckRow::CheckRow(const QString &title, const QString &detail, QWidget *parent)
    : QAbstractButton(parent)
    , m_detail(detail)
{
    setText(title);
    setCheckable(true);
    setAccessibleName(title);
    // The row says its state in words as well as by its checked state, then its detail.
    const auto describe = [this](bool on) {
        const QString state = on ? tr("Selected") : tr("Not selected");
        setAccessibleDescription(m_detail.isEmpty() ? state : tr("%1, %2").arg(state, m_detail));
    };
    describe(false);
    connect(this, &QAbstractButton::toggled, this, describe);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize CheckRow::sizeHint() const
{
    const QFontMetrics title(titleFont(font()));
    int height = title.height();
    if (!m_detail.isEmpty())
        height += QFontMetrics(detailFont(font())).height();
    const int width = margin * 2 + glyphSide + spacing + title.horizontalAdvance(text());
    return {width, std::max(height, glyphSide) + margin * 2};
}

void CheckRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor primary = palette().color(QPalette::WindowText);
    const QColor secondary = Style::secondary(palette());
    if (underMouse() || hasFocus()) {
        QColor wash = primary;
        wash.setAlphaF(0.06);
        painter.setPen(Qt::NoPen);
        painter.setBrush(wash);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 5, 5);
    }

    const QRectF glyphBox(margin, (height() - glyphSide) / 2.0, glyphSide, glyphSide);
    if (isChecked()) {
        painter.drawImage(glyphBox.topLeft(),
                          renderGlyph(Glyph::Check, Style::accentMark(palette()), glyphSide, devicePixelRatioF()));
    } else {
        painter.setPen(QPen(secondary, 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(glyphBox.adjusted(1, 1, -1, -1));
    }

    const int left = margin + glyphSide + spacing;
    const QFont title = titleFont(font());
    const QFontMetrics titleMetrics(title);
    int textHeight = titleMetrics.height();
    const QFont detail = detailFont(font());
    if (!m_detail.isEmpty())
        textHeight += QFontMetrics(detail).height();
    int y = (height() - textHeight) / 2;
    const int textWidth = width() - left - margin;
    painter.setPen(primary);
    painter.setFont(title);
    painter.drawText(QRect(left, y, textWidth, titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(text(), Qt::ElideRight, textWidth));
    if (!m_detail.isEmpty()) {
        y += titleMetrics.height();
        painter.setPen(secondary);
        painter.setFont(detail);
        painter.drawText(QRect(left, y, textWidth, QFontMetrics(detail).height()), Qt::AlignLeft | Qt::AlignVCenter,
                         m_detail);
    }
}
