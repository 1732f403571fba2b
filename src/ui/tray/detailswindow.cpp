#include "ui/tray/detailswindow.h"

#include "core/webaddress.h"
#include "ui/common/renderers.h"
#include "ui/common/style.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int detailsWidth = 320;

// A plain-text label that wraps: titles and updates come from feeds and may be long.
QLabel *wrapping(QWidget *parent, Style::Text size, QFont::Weight weight = QFont::Normal)
{
    QLabel *label = Style::plainLabel(QString(), parent);
    label->setWordWrap(true);
    label->setFont(Style::font(label->font(), size, weight));
    return label;
}

QLabel *secondaryWrapping(QWidget *parent, Style::Text size)
{
    QLabel *label = Style::secondaryLabel(parent, size);
    label->setWordWrap(true);
    return label;
}

void setShownText(QLabel &label, const QString &text)
{
    label.setText(text);
    label.setVisible(!text.isEmpty());
}

} // namespace

IncidentView::IncidentView(QWidget *parent)
    : QWidget(parent)
    , m_title(wrapping(this, Style::Text::Callout, QFont::Medium))
    , m_status(secondaryWrapping(this, Style::Text::Footnote))
    , m_update(wrapping(this, Style::Text::Footnote))
    , m_age(secondaryWrapping(this, Style::Text::Caption))
    , m_open(Style::tintedButton(tr("Open incident"), this))
{
    m_title->setObjectName(QStringLiteral("title"));
    m_open->setObjectName(QStringLiteral("openIncident"));
    m_open->setAccessibleName(tr("Open incident"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(m_title);
    column->addWidget(m_status);
    column->addSpacing(2);
    column->addWidget(m_update);
    column->addWidget(m_age);
    column->addWidget(m_open, 0, Qt::AlignLeft);
    connect(m_open, &QPushButton::clicked, this, [this] { Q_EMIT pageRequested(m_page); });
}

void IncidentView::setContent(const IncidentText &text)
{
    m_title->setText(text.title);
    setShownText(*m_status, text.statusLine);
    setShownText(*m_update, text.update);
    setShownText(*m_age, text.updateAge);
    m_page = text.page;
    m_open->setAccessibleDescription(text.openDescription);
    // a button that could open nothing is not offered
    m_open->setVisible(isWebAddress(text.page));
}

WeekStrip::WeekStrip(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(weekStripSize);
    setAccessibleName(tr("States over the last 7 days"));
}

void WeekStrip::setSlots(const QList<std::optional<Indicator>> &slots)
{
    if (slots == m_slots)
        return;
    m_slots = slots;
    update();
}

void WeekStrip::paintEvent(QPaintEvent *)
{
    // places without samples keep a faint mark, so that the strip shows the whole week
    QColor empty = palette().color(QPalette::WindowText);
    empty.setAlphaF(0.12f);
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0),
                      renderWeekStrip(m_slots, empty, palette().color(QPalette::Window), devicePixelRatioF()));
}

DetailsWindow::DetailsWindow(QWidget *parent)
    : Popover(parent)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    auto *body = new QWidget(this);
    body->setFixedWidth(detailsWidth);
    outer->addWidget(body);
    auto *column = new QVBoxLayout(body);
    column->setContentsMargins(14, 12, 14, 14);
    column->setSpacing(12);

    m_name = new ElidedLabel(body);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setFont(Style::font(m_name->font(), Style::Text::Body, QFont::DemiBold));
    column->addWidget(m_name);

    m_incidentSection = section(tr("Incidents"), column);
    m_incidentList = new QVBoxLayout();
    m_incidentList->setSpacing(12);
    static_cast<QVBoxLayout *>(m_incidentSection->layout())->addLayout(m_incidentList);

    m_maintenanceSection = section(tr("Maintenance"), column);
    m_maintenanceList = new QVBoxLayout();
    m_maintenanceList->setSpacing(8);
    static_cast<QVBoxLayout *>(m_maintenanceSection->layout())->addLayout(m_maintenanceList);

    QWidget *week = section(tr("Last 7 days"), column);
    m_strip = new WeekStrip(week);
    m_strip->setObjectName(QStringLiteral("weekStrip"));
    m_week = Style::plainLabel(QString(), week);
    m_week->setObjectName(QStringLiteral("week"));
    m_week->setFont(Style::font(m_week->font(), Style::Text::Footnote));
    week->layout()->addWidget(m_strip);
    week->layout()->addWidget(m_week);
}

QWidget *DetailsWindow::section(const QString &heading, QVBoxLayout *into)
{
    auto *box = new QWidget(into->parentWidget());
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    QLabel *title = Style::secondaryLabel(box, Style::Text::Caption, QFont::DemiBold);
    title->setText(heading);
    column->addWidget(title);
    into->addWidget(box);
    return box;
}

void DetailsWindow::setContent(const DetailsContent &content)
{
    setWindowTitle(content.controlName);
    setAccessibleName(content.controlName);
    m_name->setText(content.name);

    while (m_incidents.size() < content.incidents.size()) {
        auto *view = new IncidentView(m_incidentSection);
        view->setObjectName(QStringLiteral("incident"));
        connect(view, &IncidentView::pageRequested, this, &DetailsWindow::pageRequested);
        m_incidentList->addWidget(view);
        m_incidents.append(view);
    }
    for (qsizetype i = 0; i < m_incidents.size(); ++i) {
        const bool used = i < content.incidents.size();
        if (used)
            m_incidents.at(i)->setContent(content.incidents.at(i));
        m_incidents.at(i)->setVisible(used);
    }
    m_incidentSection->setVisible(!content.incidents.isEmpty());

    while (m_maintenances.size() < content.maintenances.size()) {
        auto *box = new QWidget(m_maintenanceSection);
        box->setObjectName(QStringLiteral("maintenance"));
        auto *lines = new QVBoxLayout(box);
        lines->setContentsMargins(0, 0, 0, 0);
        lines->setSpacing(2);
        MaintenanceRow row{box, wrapping(box, Style::Text::Callout, QFont::Medium),
                           secondaryWrapping(box, Style::Text::Footnote)};
        lines->addWidget(row.title);
        lines->addWidget(row.when);
        m_maintenanceList->addWidget(box);
        m_maintenances.append(row);
    }
    for (qsizetype i = 0; i < m_maintenances.size(); ++i) {
        const bool used = i < content.maintenances.size();
        if (used) {
            m_maintenances.at(i).title->setText(content.maintenances.at(i).title);
            m_maintenances.at(i).when->setText(content.maintenances.at(i).when);
        }
        m_maintenances.at(i).box->setVisible(used);
    }
    m_maintenanceSection->setVisible(!content.maintenances.isEmpty());

    m_strip->setSlots(content.weekSlots);
    m_week->setText(content.weekText);
}
