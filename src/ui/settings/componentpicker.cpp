#include "ui/settings/componentpicker.h"

#include "monitor/statusmonitor.h"
#include "providers/providertable.h"
#include "ui/common/style.h"
#include "ui/settings/checkrow.h"
#include "ui/settings/searchfield.h"
#include "ui/settings/servicesfilter.h"
#include "ui/settings/settingsbuttons.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// The page's parts as the service's provider lists them.
QCoro::Task<Decoded<QList<PageComponent>>> listComponents(std::optional<ProviderKind> kind, QUrl url)
{
    const auto list = kind ? providerInfo(*kind).listComponents : nullptr;
    if (!list)
        co_return Decoded<QList<PageComponent>>{std::nullopt,
                                                ComponentPicker::tr("This page has no components to choose from.")};
    QCoro::Task<Decoded<QList<PageComponent>>> listing = list(std::move(url), HttpSession());
    co_return co_await listing;
}

} // namespace

ComponentPicker::ComponentPicker(StatusMonitor &monitor, const Service &service, QWidget *anchor)
    : Popover(anchor)
    , m_monitor(monitor)
    , m_service(service)
    , m_loader([kind = service.provider](QUrl url) { return listComponents(kind, std::move(url)); })
    , m_search(new SearchField(tr("Search components"), this))
    , m_monitorAll(Style::tintedButton(tr("Monitor all"), this))
    , m_stack(new QStackedWidget(this))
    , m_errorLabel(Style::plainLabel(QString(), this))
    , m_listWidget(new QWidget)
    , m_listLayout(new QVBoxLayout(m_listWidget))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(320, 420);
    setWindowTitle(tr("%1 Components").arg(service.name));
    setAccessibleName(tr("%1 Components").arg(service.name));
    if (service.components)
        m_selected = QSet<QString>(service.components->cbegin(), service.components->cend());

    m_search->setObjectName(QStringLiteral("componentSearch"));
    m_monitorAll->setObjectName(QStringLiteral("monitorAll"));
    m_errorLabel->setObjectName(QStringLiteral("loadError"));

    auto *title = new ElidedLabel(this);
    title->setText(tr("%1 Components").arg(service.name));
    title->setFont(Style::font(title->font(), Style::Text::Body, QFont::DemiBold));
    auto *header = new QHBoxLayout;
    header->addWidget(title, 1);
    header->addWidget(m_monitorAll);

    QFrame *line = Style::divider(this);

    auto *progress = new QProgressBar(this);
    progress->setRange(0, 0);
    progress->setMaximumWidth(120);
    progress->setAccessibleName(tr("Loading"));
    auto *progressPage = new QWidget(this);
    auto *progressLayout = new QVBoxLayout(progressPage);
    progressLayout->addWidget(progress, 0, Qt::AlignCenter);

    m_errorLabel->setFont(Style::font(m_errorLabel->font(), Style::Text::Footnote));
    m_errorLabel->setWordWrap(true);
    m_errorLabel->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    Style::setTone(*m_errorLabel, Style::Tone::Error);

    m_listLayout->setContentsMargins(0, 0, 0, 0);
    m_listLayout->setSpacing(0);
    m_listLayout->addStretch(1);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("componentList"));
    scroll->setWidget(m_listWidget);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_stack->addWidget(progressPage);
    m_stack->addWidget(m_errorLabel);
    m_stack->addWidget(scroll);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addLayout(header);
    layout->addWidget(m_search);
    layout->addWidget(line);
    layout->addWidget(m_stack, 1);

    connect(m_monitorAll, &QPushButton::clicked, this, [this] {
        followMonitor();
        m_selected.clear();
        refreshMarks();
        save();
    });
    connect(m_search, &SearchField::textChanged, this, &ComponentPicker::applySearch);
    connect(&m_monitor, &StatusMonitor::servicesChanged, this, &ComponentPicker::followMonitor);
    refreshMarks();
}

std::optional<Service> ComponentPicker::current() const
{
    for (const Service &service : m_monitor.services()) {
        if (service.id == m_service.id)
            return service;
    }
    return std::nullopt;
}

void ComponentPicker::followMonitor()
{
    const std::optional<Service> service = current();
    if (!service) {
        close();
        return;
    }
    m_service = *service;
    const QSet<QString> stored = service->components
                                     ? QSet<QString>(service->components->cbegin(), service->components->cend())
                                     : QSet<QString>();
    if (stored != m_selected) {
        m_selected = stored;
        refreshMarks();
    }
}

void ComponentPicker::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_loadStarted)
        return;
    // Nobody awaits this task: it must not let anything escape.
    [](QPointer<ComponentPicker> picker) -> QCoro::Task<> {
        try {
            QCoro::Task<> loading = picker->load();
            co_await loading;
        } catch (...) {
        }
    }(this);
}

QCoro::Task<> ComponentPicker::load()
{
    if (m_loadStarted)
        co_return;
    m_loadStarted = true;
    QPointer<ComponentPicker> self(this);
    Loader loader = m_loader;
    QCoro::Task<Decoded<QList<PageComponent>>> loading = loader(m_service.url);
    const Decoded<QList<PageComponent>> listing = co_await loading;
    if (!self)
        co_return;
    if (!listing.value) {
        m_errorLabel->setText(listing.error);
        m_stack->setCurrentIndex(1);
    } else {
        m_all = listing.value;
        build();
        m_stack->setCurrentIndex(2);
    }
}

void ComponentPicker::build()
{
    // Every row is made once; the search only shows and hides them.
    int insertAt = 0;
    for (const ServicesFilter::ComponentSection &section : ServicesFilter::componentSections(*m_all, QString())) {
        SectionWidgets widgets{section.id, section.title, nullptr, nullptr, {}};
        if (!section.title.isEmpty()) {
            widgets.header = new QWidget(m_listWidget);
            widgets.header->setObjectName(QStringLiteral("section"));
            widgets.header->setProperty("sectionID", section.id);
            QLabel *label = Style::secondaryLabel(widgets.header, Style::Text::Footnote, QFont::DemiBold);
            label->setText(section.title);
            widgets.button = Style::tintedButton(QString(), widgets.header);
            widgets.button->setObjectName(QStringLiteral("selectAll"));
            auto *row = new QHBoxLayout(widgets.header);
            row->setContentsMargins(6, 8, 0, 2);
            row->addWidget(label, 1);
            row->addWidget(widgets.button);
            m_listLayout->insertWidget(insertAt++, widgets.header);
            const QString id = section.id;
            connect(widgets.button, &QPushButton::clicked, this, [this, id] { toggleSection(id); });
        }
        for (const PageComponent &component : section.items) {
            auto *row = new CheckRow(component.name, QString(), m_listWidget);
            row->setObjectName(QStringLiteral("component"));
            row->setProperty("componentID", component.id);
            m_rows.insert(component.id, row);
            m_listLayout->insertWidget(insertAt++, row);
            const QString id = component.id;
            // toggled, not clicked: a screen reader's "Toggle" action only toggles.
            connect(row, &QAbstractButton::toggled, this, [this, id](bool on) {
                if (on != m_selected.contains(id))
                    choose(id, on);
            });
        }
        m_sections.append(widgets);
    }
    applySearch();
}

void ComponentPicker::applySearch()
{
    if (!m_all)
        return;
    const QList<ServicesFilter::ComponentSection> shown = ServicesFilter::componentSections(*m_all, m_search->text());
    QSet<QString> visible;
    for (SectionWidgets &widgets : m_sections) {
        widgets.items.clear();
        for (const ServicesFilter::ComponentSection &section : shown) {
            if (section.id == widgets.id)
                widgets.items = section.items;
        }
        for (const PageComponent &item : std::as_const(widgets.items))
            visible.insert(item.id);
        if (widgets.header)
            widgets.header->setVisible(!widgets.items.isEmpty());
    }
    for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it)
        it.value()->setVisible(visible.contains(it.key()));
    refreshMarks();
}

void ComponentPicker::refreshMarks()
{
    m_monitorAll->setEnabled(!m_selected.isEmpty());
    for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it)
        it.value()->setChecked(m_selected.contains(it.key()));
    for (const SectionWidgets &widgets : std::as_const(m_sections)) {
        if (!widgets.button)
            continue;
        const bool all = ServicesFilter::allSelected(widgets.items, m_selected);
        widgets.button->setText(all ? tr("Deselect all") : tr("Select all"));
        widgets.button->setAccessibleName(all ? tr("Deselect all in %1").arg(widgets.title)
                                              : tr("Select all in %1").arg(widgets.title));
    }
}

void ComponentPicker::choose(const QString &id, bool on)
{
    // Each change applies to the selection stored now, not to the one seen at opening.
    followMonitor();
    if (m_selected.contains(id) != on) {
        if (on)
            m_selected.insert(id);
        else
            m_selected.remove(id);
        save();
    }
    refreshMarks();
}

void ComponentPicker::toggleSection(const QString &sectionID)
{
    followMonitor();
    for (const SectionWidgets &widgets : std::as_const(m_sections)) {
        if (widgets.id != sectionID)
            continue;
        const bool all = ServicesFilter::allSelected(widgets.items, m_selected);
        for (const PageComponent &item : widgets.items) {
            if (all)
                m_selected.remove(item.id);
            else
                m_selected.insert(item.id);
        }
    }
    refreshMarks();
    save();
}

void ComponentPicker::save()
{
    if (current())
        m_monitor.setComponents(ServicesFilter::savedSelection(m_selected), m_service);
    // The rows are drawn again once the selection is saved: a row toggled by a screen reader
    // (no click, no pointer) asked to be drawn before, and that request was found dropped
    // (Qt 6.4 on X11: listed as dirty, nothing of it drawn) once the services tab behind this
    // window had been refilled with the saved selection.
    m_listWidget->update();
}
