#pragma once

#include <QList>
#include <QPoint>
#include <QWidget>

#include <optional>

class CatalogRow;
class CategoryHeader;
class CustomAddForm;
class ListedServiceRow;
class QLabel;
class QScrollArea;
class QVBoxLayout;
class SearchField;
class StatusMonitor;
struct Service;

// The Services tab: a search, then one scrolling list of the monitored services (to
// reorder), the catalog by category with a switch per entry, and the services added by
// hand; the custom add form below. Rows are made once and refilled in place whenever the
// monitor publishes a change; a search only shows and hides them.
class ServicesTab : public QWidget
{
    Q_OBJECT

public:
    explicit ServicesTab(StatusMonitor &monitor, QWidget *parent = nullptr);

    // Back to how the tab opens: no search, an empty custom form, no picker open, the list
    // at its top.
    void startOver();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void syncServices();
    void syncStates();
    void applyFilter();
    void moveRow(ListedServiceRow *row, int delta);
    // Refills the first rows of a pool with `services`, making rows that are missing; returns the count.
    qsizetype fillPool(QList<ListedServiceRow *> &pool, QVBoxLayout *layout, bool reorder,
                       const QList<Service> &services);

    StatusMonitor &m_monitor;
    SearchField *m_search;
    QScrollArea *m_scroll;
    QLabel *m_emptySearch;
    QWidget *m_reorderSection;
    QVBoxLayout *m_reorderLayout;
    QList<ListedServiceRow *> m_reorderPool;
    qsizetype m_reorderShown = 0;
    struct Category {
        CategoryHeader *header;
        QList<CatalogRow *> rows;
    };
    QList<Category> m_categories;
    QList<CatalogRow *> m_catalogRows;
    QWidget *m_customSection;
    QVBoxLayout *m_customLayout;
    QList<ListedServiceRow *> m_customPool;
    qsizetype m_customShown = 0;
    CustomAddForm *m_form;
    // A drag of a reorder row: where it started and which place it came from.
    std::optional<QPoint> m_dragStart;
    qsizetype m_dragFrom = -1;
    bool m_dragging = false;
};
