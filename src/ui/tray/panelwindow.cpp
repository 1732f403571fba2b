#include "ui/tray/panelwindow.h"

#include "core/webaddress.h"
#include "monitor/statusmonitor.h"
#include "platform/urlopener.h"
#include "ui/common/style.h"
#include "ui/tray/detailsmodel.h"
#include "ui/tray/detailswindow.h"
#include "ui/tray/panelbuttons.h"
#include "ui/tray/panelmodel.h"
#include "ui/tray/panelpieces.h"
#include "ui/tray/servicerow.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

using namespace std::chrono_literals;

namespace {

// Screen readers announce the panel as a window named "Glinter" and the details as a
// window named after their service, not as anonymous panes; the week strip is a picture.
QAccessibleInterface *panelAccessible(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (className == u"PanelWindow" || className == u"DetailsWindow")
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == u"WeekStrip")
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}

} // namespace

PanelWindow::PanelWindow(StatusMonitor &monitor, UrlOpener &opener, Mode mode, QWidget *parent)
    : Popover(parent)
    , m_monitor(monitor)
    , m_opener(opener)
    , m_clock([] { return QDateTime::currentDateTimeUtc(); })
{
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(panelAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    setPopover(mode == Mode::Popup);
    setWindowTitle(tr("Glinter"));
    setAccessibleName(tr("Glinter"));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->setSizeConstraint(QLayout::SetFixedSize);

    auto *header = new QWidget(this);
    header->setFixedWidth(panelWidth);
    auto *headerRow = new QHBoxLayout(header);
    headerRow->setContentsMargins(14, 12, 14, 12);
    headerRow->setSpacing(11);
    m_header = new HeaderView(header);
    m_header->setObjectName(QStringLiteral("header"));
    m_refresh = new RefreshButton(header);
    m_refresh->setObjectName(QStringLiteral("refresh"));
    headerRow->addWidget(m_header, 1);
    headerRow->addWidget(m_refresh, 0, Qt::AlignVCenter);
    column->addWidget(header);
    column->addWidget(horizontalRule(this));

    m_scroll = new CappedScrollArea(listMaxHeight, this);
    m_scroll->setFixedWidth(panelWidth);
    m_listBox = new QWidget(m_scroll);
    m_listLayout = new QVBoxLayout(m_listBox);
    m_listLayout->setContentsMargins(6, 6, 6, 6);
    m_listLayout->setSpacing(2);
    // Often enough that "now" does not stand for long, seldom enough not to keep a screen
    // reader's row talking.
    m_ageTicker = new QTimer(this);
    m_ageTicker->setObjectName(QStringLiteral("ageTicker"));
    m_ageTicker->setInterval(std::chrono::seconds(5));
    connect(m_ageTicker, &QTimer::timeout, this, &PanelWindow::refreshContent);
    m_divider = new QWidget(m_listBox);
    m_divider->setObjectName(QStringLiteral("divider"));
    auto *dividerInset = new QVBoxLayout(m_divider);
    dividerInset->setContentsMargins(8, 5, 8, 5);
    dividerInset->addWidget(horizontalRule(m_divider));
    m_divider->hide();
    m_empty = new QWidget(m_listBox);
    m_empty->setObjectName(QStringLiteral("noServices"));
    auto *emptyColumn = new QVBoxLayout(m_empty);
    emptyColumn->setContentsMargins(8, 10, 8, 10);
    emptyColumn->setSpacing(6);
    QLabel *emptyText = Style::plainLabel(noServicesText(), m_empty);
    emptyText->setWordWrap(true);
    QPushButton *chooseServices = Style::tintedButton(tr("Choose Services in Settings\u2026"), m_empty);
    chooseServices->setObjectName(QStringLiteral("chooseServices"));
    emptyColumn->addWidget(emptyText);
    emptyColumn->addWidget(chooseServices, 0, Qt::AlignLeft);
    m_listLayout->addWidget(m_empty);
    m_empty->hide();
    m_scroll->setWidget(m_listBox);
    column->addWidget(m_scroll);
    column->addWidget(horizontalRule(this));

    auto *footer = new QWidget(this);
    footer->setFixedWidth(panelWidth);
    auto *footerRow = new QHBoxLayout(footer);
    footerRow->setContentsMargins(8, 8, 8, 8);
    footerRow->setSpacing(4);
    auto *settings = new FooterButton(Glyph::Gear, tr("Settings"), footer);
    auto *quit = new FooterButton(Glyph::Power, tr("Quit"), footer);
    footerRow->addWidget(settings, 1);
    footerRow->addWidget(quit, 1);
    column->addWidget(footer);

    connect(m_refresh, &QAbstractButton::clicked, &m_monitor, &StatusMonitor::requestRefresh);
    const auto openSettings = [this] {
        if (isPopover())
            hide();
        Q_EMIT settingsRequested();
    };
    connect(settings, &QAbstractButton::clicked, this, openSettings);
    connect(chooseServices, &QAbstractButton::clicked, this, openSettings);
    connect(quit, &QAbstractButton::clicked, this, &PanelWindow::quitRequested);

    auto shortcut = [this](const QKeySequence &keys, auto slot) {
        auto *made = new QShortcut(keys, this);
        made->setContext(Qt::WindowShortcut);
        connect(made, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_R), [this] { m_refresh->click(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma), [settings] { settings->click(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), [quit] { quit->click(); });

    m_details = new DetailsWindow(this);
    m_details->setObjectName(QStringLiteral("details"));
    connect(m_details, &DetailsWindow::pageRequested, this, &PanelWindow::openPage);

    connect(&m_monitor, &StatusMonitor::servicesChanged, this, &PanelWindow::scheduleRefresh);
    connect(&m_monitor, &StatusMonitor::resultsChanged, this, &PanelWindow::scheduleRefresh);
    connect(&m_monitor, &StatusMonitor::isOfflineChanged, this, &PanelWindow::scheduleRefresh);
    connect(&m_monitor, &StatusMonitor::isRefreshingChanged, m_refresh, &RefreshButton::setRefreshing);
    m_refresh->setRefreshing(m_monitor.isRefreshing());
}

PanelWindow::~PanelWindow() = default;

void PanelWindow::setMode(Mode mode)
{
    setPopover(mode == Mode::Popup);
}

void PanelWindow::popUp(const QRect &anchor)
{
    refreshContent();
    m_freshForShow = true;
    Popover::popUp(anchor);
}

void PanelWindow::present()
{
    if (!isVisible()) {
        refreshContent();
        m_freshForShow = true;
    }
    show();
    raise();
    activateWindow();
}

void PanelWindow::scheduleRefresh()
{
    if (!isVisible()) {
        m_freshForShow = false;
        return;
    }
    // a refresh publishes once per service; the panel redraws once per turn of the loop
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_refreshQueued = false;
            if (isVisible())
                refreshContent();
        },
        Qt::QueuedConnection);
}

void PanelWindow::refreshContent()
{
    const QDateTime now = m_clock();
    const QHash<QUuid, ServiceStatusResult> &results = m_monitor.results();

    // With nothing watched nothing is being checked, and no "Checking…" may promise otherwise.
    const bool nothingWatched = m_monitor.services().isEmpty();
    m_header->setContent(m_monitor.aggregate(), ::summaryText(m_monitor.aggregate(), m_monitor.isOffline()),
                         nothingWatched ? QString() : ::updatedText(m_monitor.lastUpdated(), now));
    m_empty->setVisible(nothingWatched);
    m_refresh->setRefreshing(m_monitor.isRefreshing());

    const GroupedServices grouped = groupServices(m_monitor.services(), results);
    QList<const Service *> order;
    for (const QList<Service> *group : {&grouped.affected, &grouped.healthy}) {
        for (const Service &service : *group)
            order.append(&service);
    }

    // Rows are filled by position, never moved: the order a screen reader and the Tab key
    // walk (that of the widgets' creation) stays the order shown.
    while (m_rows.size() < order.size()) {
        const qsizetype index = m_rows.size();
        auto *line = new QWidget(m_listBox);
        auto *lineLayout = new QHBoxLayout(line);
        lineLayout->setContentsMargins(0, 0, 0, 0);
        lineLayout->setSpacing(2);
        auto *row = new ServiceRow(line);
        auto *details = new DetailsButton(line);
        details->setObjectName(QStringLiteral("detailsButton"));
        // rows without details keep the place, so that every row's sparkline lines up
        QSizePolicy keepPlace = details->sizePolicy();
        keepPlace.setRetainSizeWhenHidden(true);
        details->setSizePolicy(keepPlace);
        lineLayout->addWidget(row, 1);
        lineLayout->addWidget(details, 0, Qt::AlignVCenter);
        connect(row, &ServiceRow::pageRequested, this, &PanelWindow::openPage);
        connect(details, &QAbstractButton::clicked, this, [this, index] { openDetails(index); });
        m_listLayout->addWidget(line);
        m_lines.append(line);
        m_rows.append(row);
        m_detailButtons.append(details);
    }
    m_rowServices.clear();
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        ServiceRow *row = m_rows.at(i);
        DetailsButton *details = m_detailButtons.at(i);
        if (i >= order.size()) {
            row->hide();
            m_lines.at(i)->hide();
            continue;
        }
        const Service &service = *order.at(i);
        const auto found = results.constFind(service.id);
        const std::optional<ServiceStatusResult> result = found == results.cend()
                                                              ? std::nullopt
                                                              : std::optional<ServiceStatusResult>(*found);
        const QList<Indicator> history = m_monitor.history(service);
        row->setContent(rowContent(service, result, now), history);
        m_rowServices.append(service.id);
        const QString detailsName = detailsControlName(service.name);
        details->setAccessibleName(detailsName);
        details->setToolTip(detailsName.toHtmlEscaped());
        details->setVisible(hasDetails(result, m_monitor.uptime(service), now));
        row->show();
        m_lines.at(i)->show();
    }

    m_listLayout->removeWidget(m_divider);
    if (grouped.hasDivider()) {
        // after the last troubled row (the list begins with what it shows without services)
        const int firstRow = m_listLayout->indexOf(m_lines.constFirst());
        m_listLayout->insertWidget(firstRow + int(grouped.affected.size()), m_divider);
    }
    m_divider->setVisible(grouped.hasDivider());

    // the scroll area fits the list's width itself; only its own height follows the list
    m_scroll->updateGeometry();

    if (m_details->isVisible())
        refreshDetails(now);
}

void PanelWindow::openDetails(qsizetype rowIndex)
{
    if (rowIndex >= m_rowServices.size())
        return;
    const QUuid service = m_rowServices.at(rowIndex);
    // the click that took the focus from the open details closed them: it does not reopen
    if (m_details->justLostFocus() && service == m_detailsService)
        return;
    m_detailsService = service;
    // Escape comes back to the control, however it was pressed (a screen reader's action
    // does not move the focus)
    m_detailButtons.at(rowIndex)->setFocus(Qt::OtherFocusReason);
    refreshDetails(m_clock());
    m_details->popUp(*m_lines.at(rowIndex), Qt::AlignRight);
}

void PanelWindow::showDetails(const QUuid &service)
{
    if (!isVisible())
        return;
    // just shown, the panel may get the focus from the window manager after the details
    // asked for it, which would close them: they open once the panel has it (or soon anyway)
    m_pendingDetails = service;
    if (isActiveWindow())
        openPendingDetails();
    else
        QTimer::singleShot(std::chrono::milliseconds(500), this, &PanelWindow::openPendingDetails);
}

void PanelWindow::openPendingDetails()
{
    const std::optional<QUuid> service = std::exchange(m_pendingDetails, std::nullopt);
    if (!service || !isVisible())
        return;
    const qsizetype row = m_rowServices.indexOf(*service);
    if (row >= 0)
        openDetails(row);
}

void PanelWindow::changeEvent(QEvent *event)
{
    Popover::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_pendingDetails)
        openPendingDetails();
}

void PanelWindow::refreshDetails(const QDateTime &now)
{
    const QList<Service> &services = m_monitor.services();
    const auto service = std::find_if(services.cbegin(), services.cend(),
                                      [this](const Service &candidate) { return candidate.id == m_detailsService; });
    if (service == services.cend()) {
        m_details->close();
        return;
    }
    m_details->setContent(detailsContent(*service, m_monitor.result(service->id), m_monitor.uptime(*service), {now}));
}

void PanelWindow::openPage(const QUrl &page)
{
    // addresses come from files and feeds others write: only web pages are opened
    if (isWebAddress(page))
        m_opener.open(page);
}

void PanelWindow::showEvent(QShowEvent *event)
{
    m_ageTicker->start();
    // a panel shown ten minutes after the last check must say so
    if (!m_freshForShow)
        refreshContent();
    m_freshForShow = false;
    QWidget::showEvent(event);
    Q_EMIT shown();
}

void PanelWindow::hideEvent(QHideEvent *event)
{
    m_ageTicker->stop();
    m_pendingDetails.reset();
    // the details belong to the panel: they do not stay behind on their own
    m_details->hide();
    Popover::hideEvent(event);
}
