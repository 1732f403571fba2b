#pragma once

#include "core/service.h"
#include "providers/common/componentselection.h"
#include "providers/statusprovider.h"
#include "ui/common/popover.h"

#include <QHash>
#include <QSet>
#include <qcoro/qcorotask.h>

#include <functional>
#include <optional>

class CheckRow;
class QLabel;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;
class SearchField;
class StatusMonitor;

// Narrows a service to chosen parts of its page (components, monitors, endpoints). A small tool window anchored under
// its button (popups are invisible to screen readers), hidden when it loses focus. It loads the page's components once
// when shown, and hands every change to the monitor at once.
class ComponentPicker : public Popover
{
    Q_OBJECT

public:
    using Loader = std::function<QCoro::Task<Decoded<QList<PageComponent>>>(QUrl)>;

    ComponentPicker(StatusMonitor &monitor, const Service &service, QWidget *anchor = nullptr);

    // Replaces the network read, the provider's listing of the page (before show or load()).
    void setLoader(Loader loader) { m_loader = std::move(loader); }
    // Loads the list; show() starts it by itself.
    QCoro::Task<> load();

protected:
    void showEvent(QShowEvent *event) override;

private:
    struct SectionWidgets {
        QString id;
        QString title;
        QWidget *header = nullptr;
        QPushButton *button = nullptr;
        QList<PageComponent> items; // visible ones after the search
    };

    // The service as the monitor holds it now; absent once it is no longer monitored.
    std::optional<Service> current() const;
    // Takes the selection the monitor holds now (an outside edit may have changed it).
    void followMonitor();
    void build();
    void applySearch();
    void refreshMarks();
    void choose(const QString &id, bool on);
    void toggleSection(const QString &sectionID);
    void save();

    StatusMonitor &m_monitor;
    Service m_service;
    Loader m_loader;
    bool m_loadStarted = false;
    std::optional<QList<PageComponent>> m_all;
    QSet<QString> m_selected;
    SearchField *m_search;
    QPushButton *m_monitorAll;
    QStackedWidget *m_stack;
    QLabel *m_errorLabel;
    QWidget *m_listWidget;
    QVBoxLayout *m_listLayout;
    QHash<QString, CheckRow *> m_rows;
    QList<SectionWidgets> m_sections;
};
