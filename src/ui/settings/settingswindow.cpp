#include "ui/settings/settingswindow.h"

#include "ui/settings/generaltab.h"
#include "ui/settings/servicestab.h"
#include "ui/settings/settingsglyphs.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>
#include <numbers>

namespace {

// The tabs' symbols, drawn in the text colour: a grid of four tiles for Services, a gear
// for General.
QIcon tabIcon(SettingsWindow::Tab tab)
{
    return paintedIcon(QPalette::WindowText, [tab](QPainter &painter, const QColor &colour) {
        painter.setPen(QPen(colour, 1.3));
        painter.setBrush(Qt::NoBrush);
        if (tab == SettingsWindow::Tab::Services) {
            for (const QPointF corner : {QPointF(2, 2), QPointF(9, 2), QPointF(2, 9), QPointF(9, 9)})
                painter.drawRoundedRect(QRectF(corner, QSizeF(5, 5)), 1.2, 1.2);
        } else {
            QPainterPath gear;
            const QPointF centre(8, 8);
            for (int i = 0; i < 16; ++i) {
                const qreal angle = i * std::numbers::pi / 8;
                const qreal radius = (i % 2 == 0) ? 6.6 : 5.0;
                const QPointF point = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
                if (i == 0)
                    gear.moveTo(point);
                else
                    gear.lineTo(point);
            }
            gear.closeSubpath();
            painter.drawPath(gear);
            painter.drawEllipse(centre, 2.0, 2.0);
        }
    });
}

} // namespace

SettingsWindow::SettingsWindow(StatusMonitor &monitor, Tab initial, QWidget *parent)
    : QMainWindow(parent)
    , m_tabs(new QTabWidget(this))
    , m_services(new QWidget(m_tabs))
    , m_general(new GeneralTab(monitor, {}, m_tabs))
{
    m_tabs->setObjectName(QStringLiteral("tabs"));
    setWindowTitle(tr("Glinter Settings"));
    setAccessibleName(tr("Glinter Settings"));
    m_services->setAccessibleName(tr("Services"));
    m_general->setAccessibleName(tr("General"));
    m_tabs->addTab(m_services, tabIcon(Tab::Services), tr("Services"));
    m_tabs->addTab(m_general, tabIcon(Tab::General), tr("General"));
    setCurrentTab(initial);
    auto *servicesLayout = new QVBoxLayout(m_services);
    servicesLayout->setContentsMargins(0, 0, 0, 0);
    m_servicesTab = new ServicesTab(monitor, m_services);
    servicesLayout->addWidget(m_servicesTab, 1);

    setCentralWidget(m_tabs);
    setFixedSize(500, 580);
}

void SettingsWindow::open()
{
    if (!isVisible()) {
        m_servicesTab->startOver();
        m_general->startOver();
    }
    show();
    raise();
    activateWindow();
}

void SettingsWindow::setCurrentTab(Tab tab)
{
    m_tabs->setCurrentWidget(tab == Tab::General ? m_general : m_services);
}
