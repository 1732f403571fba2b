#include "ui/tray/onboardingwindow.h"

#include "ui/common/contrast.h"
#include "ui/common/renderers.h"
#include "ui/common/style.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace {

constexpr int glyphColumn = 18;
constexpr int glyphSize = 14;
constexpr int legendSpacing = 10;

// A dial with dots along its upper arc and the needle standing upright, in the accent colour.
class GaugeSymbol : public QWidget
{
public:
    explicit GaugeSymbol(QWidget *parent)
        : QWidget(parent)
    {
        setFixedSize(44, 44);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor accent = Style::accentMark(palette());
        const QRectF box = QRectF(rect()).adjusted(3, 3, -3, -3);
        painter.setPen(QPen(accent, 3));
        painter.drawEllipse(box);
        const QPointF hub = box.center() + QPointF(0, box.height() * 0.18);
        painter.setPen(Qt::NoPen);
        painter.setBrush(accent);
        const qreal radius = box.width() * 0.32;
        for (int i = 0; i < 5; ++i) {
            const qreal angle = std::numbers::pi * (1.0 + i / 4.0);
            painter.drawEllipse(hub + QPointF(radius * std::cos(angle), radius * std::sin(angle)), 1.8, 1.8);
        }
        painter.drawEllipse(hub, 3.5, 3.5);
        painter.setPen(QPen(accent, 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(hub, hub - QPointF(0, radius * 0.85));
    }
};

QLabel *textLabel(const QString &text, Style::Text size, QWidget *parent)
{
    QLabel *label = Style::secondaryLabel(parent, size);
    label->setText(text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

// The legend's box: the window text colour at 5 %, rounded.
class LegendBox : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override { paintTint(*this, palette().color(QPalette::WindowText), 0.05, 10); }
};

} // namespace

MeterLegendRow::MeterLegendRow(Indicator indicator, const QString &text, QWidget *parent)
    : QLabel(text, parent)
    , m_indicator(indicator)
{
    setTextFormat(Qt::PlainText);
    setFont(Style::font(font(), Style::Text::Callout));
    setAccessibleName(text);
    // the legend is a fixed 380 wide; a longer language takes a second line
    setWordWrap(true);
    setContentsMargins(glyphColumn + legendSpacing, 0, 0, 0);
    setMinimumHeight(glyphColumn);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void MeterLegendRow::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    QPainter painter(this);
    const QPointF corner((glyphColumn - glyphSize) / 2.0, (height() - glyphSize) / 2.0);
    painter.drawImage(corner, renderGlyph(stateGlyph(m_indicator), Style::stateMark(palette(), m_indicator), glyphSize,
                                          devicePixelRatioF()));
}

OnboardingWindow::OnboardingWindow(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Welcome to Glinter"));
    setAccessibleName(tr("Welcome to Glinter"));

    auto *column = new QVBoxLayout(this);
    column->setSpacing(18);
    column->setContentsMargins(28, 28, 28, 28);
    // Sized to the content; the content is 380 wide.
    column->setSizeConstraint(QLayout::SetFixedSize);

    auto *symbol = new GaugeSymbol(this);
    column->addWidget(symbol, 0, Qt::AlignHCenter);

    auto *heading = new QVBoxLayout;
    heading->setSpacing(6);
    QLabel *title = Style::plainLabel(tr("Welcome to Glinter"), this);
    title->setFont(Style::font(title->font(), Style::Text::Title, QFont::DemiBold));
    title->setAlignment(Qt::AlignHCenter);
    heading->addWidget(title);
    heading->addWidget(
        textLabel(tr("Glinter lives in your tray, on the top bar or panel of your desktop, and keeps an eye on the "
                     "services you depend on."),
                  Style::Text::Body, this));
    column->addLayout(heading);

    auto *legend = new LegendBox(this);
    auto *legendColumn = new QVBoxLayout(legend);
    legendColumn->setSpacing(10);
    legendColumn->setContentsMargins(14, 14, 14, 14);
    const std::pair<Indicator, QString> rows[] = {
        {Indicator::None, tr("Healthy \u2014 everything is operational.")},
        {Indicator::Minor, tr("Degraded \u2014 minor issues or maintenance.")},
        {Indicator::Critical, tr("Outage \u2014 a service is down.")},
        {Indicator::Unknown, tr("Unreachable \u2014 Glinter can\u2019t reach the feed.")},
    };
    for (const auto &[indicator, text] : rows) {
        auto *row = new MeterLegendRow(indicator, text, legend);
        legendColumn->addWidget(row);
    }
    legend->setFixedWidth(380);
    column->addWidget(legend);

    column->addWidget(textLabel(tr("Open Settings to choose which services to watch."), Style::Text::Callout, this));

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch();
    auto *notNow = new QPushButton(tr("Not Now"), this);
    auto *choose = new QPushButton(tr("Choose Services"), this);
    // Return always means "Choose Services", wherever the focus is, and Escape "Not Now".
    notNow->setAutoDefault(false);
    choose->setDefault(true);
    // The prominent, filled button: the accent colour behind it, deepened where the theme's
    // accent is too light for its own text to read on it.
    QPalette prominent = choose->palette();
    const QColor label = prominent.color(QPalette::HighlightedText);
    prominent.setColor(QPalette::Button,
                       Contrast::readable(prominent.color(QPalette::Highlight), label, Contrast::text));
    prominent.setColor(QPalette::ButtonText, label);
    choose->setPalette(prominent);
    buttons->addWidget(notNow);
    buttons->addWidget(choose);
    buttons->addStretch();
    column->addLayout(buttons);

    connect(notNow, &QPushButton::clicked, this, &QDialog::reject);
    connect(choose, &QPushButton::clicked, this, [this] {
        accept();
        Q_EMIT chooseServicesRequested();
    });
    choose->setFocus();
}

void OnboardingWindow::showCentred()
{
    // The fixed-size layout settles the size only when it is activated.
    ensurePolished();
    layout()->activate();
    adjustSize();
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const auto centre = [this, screen] {
        if (!screen)
            return;
        const QRect frame = frameGeometry();
        move(screen->availableGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
    };
    centre();
    show();
    // The window manager's frame is known once the window is shown.
    centre();
    raise();
    activateWindow();
}
