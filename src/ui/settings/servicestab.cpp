#include "ui/settings/servicestab.h"

#include "catalog/servicecatalog.h"
#include "monitor/statusmonitor.h"
#include "ui/common/style.h"
#include "ui/settings/agentimportrow.h"
#include "ui/settings/componentpicker.h"
#include "ui/settings/customaddform.h"
#include "ui/settings/searchfield.h"
#include "ui/settings/servicerows.h"
#include "ui/settings/servicesfilter.h"
#include "ui/settings/settingsbuttons.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// A titled section at the end of the list; its rows go into the layout returned.
QVBoxLayout *titledSection(const QString &title, QVBoxLayout *list)
{
    auto *section = new QWidget(list->parentWidget());
    auto *layout = new QVBoxLayout(section);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QLabel *label = Style::secondaryLabel(section, Style::Text::Footnote, QFont::DemiBold);
    label->setText(title);
    label->setContentsMargins(8, 10, 8, 2);
    layout->addWidget(label);
    list->addWidget(section);
    return layout;
}

} // namespace

ServicesTab::ServicesTab(StatusMonitor &monitor, QWidget *parent)
    : QWidget(parent)
    , m_monitor(monitor)
    , m_search(new SearchField(tr("Search services"), this))
    , m_scroll(new QScrollArea(this))
    , m_emptySearch(Style::plainLabel(QString(), this))
    , m_form(new CustomAddForm(monitor, this))
{
    m_search->setObjectName(QStringLiteral("search"));
    m_emptySearch->setObjectName(QStringLiteral("emptySearch"));
    QLabel *intro = Style::secondaryLabel(this, Style::Text::Callout);
    intro->setText(tr("Choose the services you want to monitor."));

    auto *list = new QWidget;
    auto *listLayout = new QVBoxLayout(list);
    listLayout->setContentsMargins(0, 0, 0, 8);
    listLayout->setSpacing(0);

    m_reorderLayout = titledSection(tr("Monitored (drag to reorder)"), listLayout);
    m_reorderSection = m_reorderLayout->parentWidget();
    m_reorderSection->setObjectName(QStringLiteral("reorderSection"));

    for (const QString &title : ServiceCatalog::categories()) {
        Category category{new CategoryHeader(monitor, title, list), {}};
        listLayout->addWidget(category.header);
        for (const CatalogEntry &entry : ServiceCatalog::entries(title)) {
            auto *row = new CatalogRow(monitor, entry, list);
            listLayout->addWidget(row);
            category.rows.append(row);
            m_catalogRows.append(row);
        }
        m_categories.append(category);
    }

    m_customLayout = titledSection(tr("Custom"), listLayout);
    m_customSection = m_customLayout->parentWidget();
    m_customSection->setObjectName(QStringLiteral("customSection"));
    // "Add from a Codebase" closes the list.
    listLayout->addWidget(new AgentImportRow(monitor, list));
    listLayout->addStretch(1);

    m_scroll->setWidget(list);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::StyledPanel);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_emptySearch->setAlignment(Qt::AlignCenter);
    m_emptySearch->setWordWrap(true);
    m_emptySearch->setFrameShape(QFrame::StyledPanel);
    m_emptySearch->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 8);
    layout->setSpacing(8);
    layout->addWidget(intro);
    layout->addWidget(m_search);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(m_emptySearch, 1);
    layout->addWidget(Style::divider(this));
    layout->addWidget(m_form);

    connect(&monitor, &StatusMonitor::servicesChanged, this, &ServicesTab::syncServices);
    connect(&monitor, &StatusMonitor::resultsChanged, this, &ServicesTab::syncStates);
    connect(m_search, &SearchField::textChanged, this, &ServicesTab::applyFilter);
    syncServices();
}

qsizetype ServicesTab::fillPool(QList<ListedServiceRow *> &pool, QVBoxLayout *layout, bool reorder,
                                const QList<Service> &services)
{
    while (pool.size() < services.size()) {
        const auto kind = reorder ? ListedServiceRow::Kind::Reorder : ListedServiceRow::Kind::Custom;
        auto *row = new ListedServiceRow(m_monitor, kind, layout->parentWidget());
        layout->addWidget(row);
        pool.append(row);
        if (reorder) {
            row->installEventFilter(this);
            connect(row, &ListedServiceRow::moveRequested, this, [this, row](int delta) { moveRow(row, delta); });
        }
    }
    for (qsizetype i = 0; i < services.size(); ++i)
        pool.at(i)->setService(services.at(i));
    return services.size();
}

void ServicesTab::syncServices()
{
    setUpdatesEnabled(false);
    m_reorderShown = fillPool(m_reorderPool, m_reorderLayout, true, m_monitor.services());
    m_customShown = fillPool(m_customPool, m_customLayout, false, ServiceCatalog::customServices(m_monitor.services()));
    const QHash<QString, Service> byEntry = ServiceCatalog::monitoredByEntry(m_monitor.services());
    for (CatalogRow *row : std::as_const(m_catalogRows)) {
        const auto found = byEntry.constFind(row->entry().id());
        row->setService(found == byEntry.cend() ? std::nullopt : std::optional<Service>(*found));
    }
    applyFilter();
    setUpdatesEnabled(true);
}

void ServicesTab::startOver()
{
    m_search->setText(QString());
    m_form->startOver();
    const QList<ComponentPicker *> pickers = findChildren<ComponentPicker *>();
    for (ComponentPicker *picker : pickers)
        picker->close();
    m_scroll->verticalScrollBar()->setValue(0);
}

void ServicesTab::syncStates()
{
    for (qsizetype i = 0; i < m_reorderShown; ++i)
        m_reorderPool.at(i)->updateState();
    for (qsizetype i = 0; i < m_customShown; ++i)
        m_customPool.at(i)->updateState();
    for (CatalogRow *row : std::as_const(m_catalogRows))
        row->updateState();
}

void ServicesTab::applyFilter()
{
    const QString query = m_search->text();
    setUpdatesEnabled(false);
    // Rows shown and hidden inside a hidden list cost no layout each; the list is laid out
    // once when it is shown again.
    QWidget *list = m_scroll->widget();
    const bool listWasVisible = list->isVisible();
    if (listWasVisible)
        list->hide();
    bool anything = false;

    m_reorderSection->setVisible(ServicesFilter::showsReorderSection(query, m_reorderShown));
    for (qsizetype i = 0; i < m_reorderPool.size(); ++i)
        m_reorderPool.at(i)->setVisible(i < m_reorderShown);

    for (const Category &category : std::as_const(m_categories)) {
        QList<CatalogEntry> shown;
        for (CatalogRow *row : category.rows) {
            const bool match = ServicesFilter::matches(row->entry(), query);
            row->setVisible(match);
            if (match)
                shown.append(row->entry());
        }
        category.header->setVisible(!shown.isEmpty());
        category.header->setEntries(shown);
        anything = anything || !shown.isEmpty();
    }

    bool anyCustom = false;
    for (qsizetype i = 0; i < m_customPool.size(); ++i) {
        ListedServiceRow *row = m_customPool.at(i);
        const bool match = i < m_customShown && ServicesFilter::matches(row->service(), query);
        row->setVisible(match);
        anyCustom = anyCustom || match;
    }
    m_customSection->setVisible(anyCustom);
    anything = anything || anyCustom;

    const bool empty = !query.isEmpty() && !anything;
    if (empty)
        m_emptySearch->setText(tr("No results for “%1”").arg(query) + QStringLiteral("\n\n")
                               + tr("Check the spelling or try a new search."));
    m_emptySearch->setVisible(empty);
    m_scroll->setVisible(!empty);
    if (listWasVisible)
        list->show();
    setUpdatesEnabled(true);
}

void ServicesTab::moveRow(ListedServiceRow *row, int delta)
{
    const qsizetype from = m_reorderPool.indexOf(row);
    const qsizetype to = from + delta;
    if (from < 0 || from >= m_reorderShown || to < 0 || to >= m_reorderShown)
        return;
    m_monitor.move(from, to);
    // The rows keep their places; the service moved to the row at its new place.
    m_reorderPool.at(to)->setFocus(Qt::OtherFocusReason);
}

bool ServicesTab::eventFilter(QObject *watched, QEvent *event)
{
    auto *row = qobject_cast<ListedServiceRow *>(watched);
    if (!row)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            m_dragStart = mouse->globalPosition().toPoint();
            m_dragFrom = m_reorderPool.indexOf(row);
            m_dragging = false;
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_dragStart && !m_dragging
            && (mouse->globalPosition().toPoint() - *m_dragStart).manhattanLength()
                   >= QApplication::startDragDistance()) {
            m_dragging = true;
            row->setCursor(Qt::ClosedHandCursor);
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_dragging) {
            row->unsetCursor();
            // The place under the pointer, or the first or last place beyond the list.
            const QPoint at = m_reorderSection->mapFromGlobal(mouse->globalPosition().toPoint());
            qsizetype to = m_reorderShown - 1;
            for (qsizetype i = 0; i < m_reorderShown; ++i) {
                if (at.y() < m_reorderPool.at(i)->geometry().bottom()) {
                    to = i;
                    break;
                }
            }
            if (m_dragFrom >= 0 && to != m_dragFrom)
                m_monitor.move(m_dragFrom, to);
        }
        m_dragStart.reset();
        m_dragging = false;
        m_dragFrom = -1;
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
