#include "ui/tray/panelpieces.h"

#include "ui/common/renderers.h"
#include "ui/common/style.h"

#include <QPainter>

QWidget *horizontalRule(QWidget *parent)
{
    auto *rule = new QWidget(parent);
    rule->setFixedHeight(1);
    rule->setAutoFillBackground(true);
    QPalette palette = rule->palette();
    QColor color = palette.color(QPalette::WindowText);
    color.setAlphaF(0.12f);
    palette.setColor(QPalette::Window, color);
    rule->setPalette(palette);
    return rule;
}

HeaderView::HeaderView(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void HeaderView::setContent(Indicator indicator, const QString &summary, const QString &updated)
{
    if (indicator == m_indicator && summary == m_summary && updated == m_updated)
        return;
    m_indicator = indicator;
    m_summary = summary;
    m_updated = updated;
    setAccessibleName(updated.isEmpty() ? summary : summary + QStringLiteral(", ") + updated);
    updateGeometry();
    update();
}

namespace {

// Where the lines begin: after the state symbol and a gap.
constexpr int textLeft = 26 + 11;

} // namespace

QSize HeaderView::sizeHint() const
{
    return QSize(200, std::max(26, lineHeights()));
}

QSize HeaderView::minimumSizeHint() const
{
    const int updated = QFontMetrics(updatedFont()).horizontalAdvance(m_updated);
    const int summary = QFontMetrics(summaryFont()).horizontalAdvance(QStringLiteral("W\u2026"));
    return QSize(textLeft + std::max(updated, summary), std::max(26, lineHeights()));
}

void HeaderView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int glyphTop = (height() - 26) / 2;
    painter.drawImage(
        QPointF(2, glyphTop + 2),
        renderGlyph(stateGlyph(m_indicator), Style::stateMark(palette(), m_indicator), 22, devicePixelRatioF()));
    const QFont first = summaryFont();
    const QFont second = updatedFont();
    const int left = textLeft;
    const int top = (height() - lineHeights()) / 2;
    const int firstHeight = QFontMetrics(first).height();
    painter.setFont(first);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(left, top, width() - left, firstHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(first).elidedText(m_summary, Qt::ElideRight, width() - left));
    painter.setFont(second);
    painter.setPen(Style::secondary(palette()));
    painter.drawText(QRect(left, top + firstHeight, width() - left, QFontMetrics(second).height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(second).elidedText(m_updated, Qt::ElideRight, width() - left));
}

QFont HeaderView::summaryFont() const
{
    return Style::font(font(), Style::Text::Headline, QFont::DemiBold);
}

QFont HeaderView::updatedFont() const
{
    return Style::font(font(), Style::Text::Footnote);
}

int HeaderView::lineHeights() const
{
    return QFontMetrics(summaryFont()).height() + QFontMetrics(updatedFont()).height();
}

CappedScrollArea::CappedScrollArea(int maxHeight, QWidget *parent)
    : QScrollArea(parent)
    , m_maxHeight(maxHeight)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    viewport()->setAutoFillBackground(false);
}

QSize CappedScrollArea::sizeHint() const
{
    const int content = widget() ? widget()->sizeHint().height() : 0;
    return QSize(panelWidth, std::min(m_maxHeight, std::max(content, 0)));
}
