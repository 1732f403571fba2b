#include "ui/tray/servicerow.h"

#include "ui/common/style.h"
#include "ui/tray/panelbuttons.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int insetX = 8;
constexpr int insetY = 6;
constexpr int spacing = 10;
constexpr int glyphColumn = 16;
constexpr int glyphSide = 14;
constexpr int ageColumn = 38;

} // namespace

ServiceRow::ServiceRow(QWidget *parent)
    : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleDescription(tr("Opens the status page"));
    connect(this, &QAbstractButton::clicked, this, [this] { Q_EMIT pageRequested(m_content.page); });
}

void ServiceRow::setContent(const RowContent &content, const QList<Indicator> &history)
{
    if (content == m_content && history == m_history)
        return;
    const bool imagesChanged = content.glyph != m_content.glyph || content.indicator != m_content.indicator
                               || content.neutralGlyph != m_content.neutralGlyph || history != m_history;
    m_content = content;
    m_history = history;
    if (imagesChanged)
        m_imagesRatio = 0;
    setAccessibleName(m_content.accessibilityLabel);
    setToolTip(m_content.toolTip.toHtmlEscaped());
    update();
}

QSize ServiceRow::sizeHint() const
{
    const QFontMetrics name(Style::font(font(), Style::Text::Body, QFont::Medium));
    const QFontMetrics description(Style::font(font(), Style::Text::Footnote));
    return QSize(300, insetY + name.height() + 1 + description.height() + insetY);
}

void ServiceRow::renderImages(qreal ratio)
{
    if (qFuzzyCompare(ratio, m_imagesRatio))
        return;
    const QColor secondary = Style::secondary(palette());
    const QColor glyphColor = m_content.neutralGlyph ? secondary : Style::stateMark(palette(), m_content.indicator);
    m_glyph = renderGlyph(m_content.glyph, glyphColor, glyphSide, ratio);
    m_sparkline = renderSparkline(m_history, palette().color(QPalette::Window), ratio);
    m_arrow = renderGlyph(Glyph::OpenArrow, secondary, 12, ratio);
    m_imagesRatio = ratio;
}

void ServiceRow::paintEvent(QPaintEvent *)
{
    renderImages(devicePixelRatioF());
    const QColor primary = palette().color(QPalette::WindowText);
    const QColor secondary = Style::secondary(palette());
    const bool hovered = underMouse() || hasFocus();
    if (hovered)
        paintTint(*this, primary, 0.08, 7);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRect inner = rect().adjusted(insetX, insetY, -insetX, -insetY);
    painter.drawImage(
        QPointF(inner.left() + (glyphColumn - glyphSide) / 2.0, inner.center().y() - glyphSide / 2.0 + 0.5), m_glyph);

    // the age column grows for locales whose short units are long
    const QFont ageFont = Style::font(font(), Style::Text::Caption);
    const QFontMetrics ageMetrics(ageFont);
    const int ageWidth = std::max(ageColumn, ageMetrics.horizontalAdvance(m_content.ageText));
    const QRect ageRect(inner.right() + 1 - ageWidth, inner.top(), ageWidth, inner.height());
    const QRect sparkRect(ageRect.left() - spacing - sparklineSize.width(),
                          inner.center().y() - sparklineSize.height() / 2 + 1, sparklineSize.width(),
                          sparklineSize.height());
    painter.drawImage(sparkRect.topLeft(), m_sparkline);

    if (hovered) {
        painter.drawImage(QPointF(ageRect.right() + 1 - 12, ageRect.center().y() - 6 + 0.5), m_arrow);
    } else if (!m_content.ageText.isEmpty()) {
        painter.setFont(ageFont);
        painter.setPen(secondary);
        painter.drawText(ageRect, Qt::AlignRight | Qt::AlignVCenter, m_content.ageText);
    }

    const int textLeft = inner.left() + glyphColumn + spacing;
    const int textWidth = std::max(0, sparkRect.left() - spacing - textLeft);
    const QFont nameFont = Style::font(font(), Style::Text::Body, QFont::Medium);
    const QFont descriptionFont = Style::font(font(), Style::Text::Footnote);
    const QFontMetrics nameMetrics(nameFont);
    const QFontMetrics descriptionMetrics(descriptionFont);
    const int textHeight = nameMetrics.height() + 1 + descriptionMetrics.height();
    const int top = inner.center().y() - textHeight / 2 + 1;

    painter.setFont(nameFont);
    painter.setPen(primary);
    painter.drawText(QRect(textLeft, top, textWidth, nameMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     nameMetrics.elidedText(m_content.name, Qt::ElideRight, textWidth));
    painter.setFont(descriptionFont);
    painter.setPen(secondary);
    const QString oneLine = QString(m_content.description).replace(u'\n', u' ');
    painter.drawText(QRect(textLeft, top + nameMetrics.height() + 1, textWidth, descriptionMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     descriptionMetrics.elidedText(oneLine, Qt::ElideRight, textWidth));
}

void ServiceRow::keyPressEvent(QKeyEvent *event)
{
    if (!pressedByKey(this, event))
        QAbstractButton::keyPressEvent(event);
}

bool ServiceRow::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::ScreenChangeInternal:
        m_imagesRatio = 0;
        break;
    default:
        break;
    }
    return QAbstractButton::event(event);
}
