#include "ui/tray/panelbuttons.h"

#include "ui/common/style.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

using namespace std::chrono_literals;

bool pressedByKey(QAbstractButton *button, QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    button->click();
    return true;
}

void RefreshButton::keyPressEvent(QKeyEvent *event)
{
    if (!pressedByKey(this, event))
        QAbstractButton::keyPressEvent(event);
}

void FooterButton::keyPressEvent(QKeyEvent *event)
{
    if (!pressedByKey(this, event))
        QAbstractButton::keyPressEvent(event);
}

void DetailsButton::keyPressEvent(QKeyEvent *event)
{
    if (!pressedByKey(this, event))
        QAbstractButton::keyPressEvent(event);
}

RefreshButton::RefreshButton(QWidget *parent)
    : QAbstractButton(parent)
    , m_spin(new QTimer(this))
{
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(26, 26);
    setToolTip(tr("Refresh now"));
    setAccessibleName(tr("Refresh now"));
    m_spin->setObjectName(QStringLiteral("spinner"));
    m_spin->setInterval(50ms);
    connect(m_spin, &QTimer::timeout, this, [this] {
        m_angle = (m_angle + 30) % 360;
        update();
    });
}

void RefreshButton::setRefreshing(bool refreshing)
{
    if (refreshing == m_refreshing)
        return;
    m_refreshing = refreshing;
    // a screen reader reads the state with the name
    setAccessibleDescription(refreshing ? tr("Refreshing") : QString());
    updateSpinning();
    update();
}

void RefreshButton::updateSpinning()
{
    if (m_refreshing && isVisible())
        m_spin->start();
    else
        m_spin->stop();
}

void RefreshButton::showEvent(QShowEvent *event)
{
    QAbstractButton::showEvent(event);
    updateSpinning();
}

void RefreshButton::hideEvent(QHideEvent *event)
{
    QAbstractButton::hideEvent(event);
    updateSpinning();
}

void RefreshButton::paintEvent(QPaintEvent *)
{
    if (underMouse() || hasFocus())
        paintTint(*this, palette().color(QPalette::WindowText), 0.1, width() / 2.0);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor secondary = Style::secondary(palette());
    if (m_refreshing) {
        painter.translate(QRectF(rect()).center());
        painter.rotate(m_angle);
        painter.setPen(QPen(secondary, 1.8, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(-6, -6, 12, 12), 0, 270 * 16);
        return;
    }
    const QImage arrow = renderGlyph(Glyph::Refresh, secondary, 13, devicePixelRatioF());
    painter.drawImage(QPointF((width() - 13) / 2.0, (height() - 13) / 2.0), arrow);
}

FooterButton::FooterButton(Glyph glyph, const QString &title, QWidget *parent)
    : QAbstractButton(parent)
    , m_glyph(glyph)
{
    setText(title);
    setAccessibleName(title);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

namespace {

constexpr int footerGlyphSide = 11;
constexpr int footerGap = 5;
// Room beside the content for the rounded hover background.
constexpr int footerPadding = 8;

} // namespace

QSize FooterButton::sizeHint() const
{
    const QFont titleFont = Style::font(font(), Style::Text::Callout);
    return QSize(std::max(100, minimumSizeHint().width()), QFontMetrics(titleFont).height() + 12);
}

QSize FooterButton::minimumSizeHint() const
{
    const QFontMetrics metrics(Style::font(font(), Style::Text::Callout));
    return QSize(footerGlyphSide + footerGap + metrics.horizontalAdvance(text()) + 2 * footerPadding,
                 metrics.height() + 12);
}

void FooterButton::paintEvent(QPaintEvent *)
{
    const QColor primary = palette().color(QPalette::WindowText);
    if (underMouse() || hasFocus())
        paintTint(*this, primary, 0.08, 7);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont titleFont = Style::font(font(), Style::Text::Callout);
    const QFontMetrics metrics(titleFont);
    constexpr int glyphSide = footerGlyphSide;
    constexpr int gap = footerGap;
    const int contentWidth = glyphSide + gap + metrics.horizontalAdvance(text());
    const int left = (width() - contentWidth) / 2;
    painter.drawImage(QPointF(left, (height() - glyphSide) / 2.0),
                      renderGlyph(m_glyph, primary, glyphSide, devicePixelRatioF()));
    painter.setFont(titleFont);
    painter.setPen(primary);
    painter.drawText(QRect(left + glyphSide + gap, 0, width(), height()), Qt::AlignLeft | Qt::AlignVCenter, text());
}

DetailsButton::DetailsButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(sizeHint());
    setAccessibleDescription(tr("Shows incidents, maintenance and the past week"));
}

void DetailsButton::paintEvent(QPaintEvent *)
{
    if (underMouse() || hasFocus())
        paintTint(*this, palette().color(QPalette::WindowText), 0.1, width() / 2.0);
    QPainter painter(this);
    constexpr qreal side = 14;
    painter.drawImage(QPointF((width() - side) / 2.0, (height() - side) / 2.0),
                      renderGlyph(Glyph::Info, Style::secondary(palette()), side, devicePixelRatioF()));
}
