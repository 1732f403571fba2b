#include "ui/settings/checkrow.h"

#include "ui/menubar/renderers.h"
#include "ui/settings/settingsglyphs.h"

#include <QPainter>

namespace {

QFont sized(QFont font, int pixels, QFont::Weight weight)
{
    font.setPixelSize(pixels);
    font.setWeight(weight);
    return font;
}

} // namespace

CheckRow::CheckRow(const QString &title, const QString &detail, QWidget *parent)
    : QAbstractButton(parent)
    , m_title(title)
    , m_detail(detail)
{
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setAccessibleName(title);
    setOn(false);
}

void CheckRow::setOn(bool on)
{
    m_on = on;
    setChecked(on);
    setAccessibleDescription(on ? tr("Selected") : tr("Not selected"));
    update();
}

QSize CheckRow::sizeHint() const
{
    return QSize(200, m_detail.isEmpty() ? 26 : 38);
}

void CheckRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor text = palette().color(QPalette::WindowText);
    if (underMouse() || hasFocus()) {
        QColor hover = text;
        hover.setAlphaF(0.06);
        painter.setPen(Qt::NoPen);
        painter.setBrush(hover);
        painter.drawRoundedRect(QRectF(rect()), 5, 5);
    }
    QColor secondary = text;
    secondary.setAlphaF(0.6);
    const QImage mark = m_on ? renderGlyph(Glyph::Check, palette().color(QPalette::Highlight), 14, devicePixelRatioF())
                             : renderSettingsGlyph(SettingsGlyph::Circle, secondary, 14, devicePixelRatioF());
    painter.drawImage(QPointF(6, (height() - 14) / 2.0), mark);
    const int left = 28;
    painter.setPen(text);
    if (m_detail.isEmpty()) {
        painter.setFont(sized(font(), 12, QFont::Medium));
        painter.drawText(QRect(left, 0, width() - left - 6, height()), Qt::AlignVCenter | Qt::AlignLeft,
                         painter.fontMetrics().elidedText(m_title, Qt::ElideRight, width() - left - 6));
        return;
    }
    painter.setFont(sized(font(), 12, QFont::Medium));
    painter.drawText(QRect(left, 4, width() - left - 6, 16), Qt::AlignLeft | Qt::AlignVCenter, m_title);
    painter.setPen(secondary);
    painter.setFont(sized(font(), 11, QFont::Normal));
    painter.drawText(QRect(left, 20, width() - left - 6, 14), Qt::AlignLeft | Qt::AlignVCenter, m_detail);
}
