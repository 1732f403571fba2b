#include "ui/menubar/panelwindow.h"

#include "core/webaddress.h"
#include "monitor/statusmonitor.h"
#include "platform/urlopener.h"
#include "ui/menubar/panelbuttons.h"
#include "ui/menubar/panelmodel.h"
#include "ui/menubar/panelpieces.h"
#include "ui/menubar/servicerow.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

using namespace std::chrono_literals;

namespace {

// Screen readers announce the panel as a window named "Glinter", not as an anonymous pane.
QAccessibleInterface *panelAccessible(const QString &className, QObject *object)
{
    if (className == u"PanelWindow" && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

Qt::WindowFlags flagsFor(PanelWindow::Mode mode)
{
    return mode == PanelWindow::Mode::Popup ? Qt::Tool | Qt::FramelessWindowHint : Qt::Window;
}

} // namespace

PanelWindow::PanelWindow(StatusMonitor &monitor, UrlOpener &opener, Mode mode, QWidget *parent)
    : QWidget(parent, flagsFor(mode))
    , m_monitor(monitor)
    , m_opener(opener)
    , m_mode(mode)
    , m_clock([] { return QDateTime::currentDateTimeUtc(); })
{
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(panelAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
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
    m_refresh = new RefreshButton(header);
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
    m_divider = new QWidget(m_listBox);
    auto *dividerInset = new QVBoxLayout(m_divider);
    dividerInset->setContentsMargins(8, 5, 8, 5);
    dividerInset->addWidget(horizontalRule(m_divider));
    m_divider->hide();
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
    connect(settings, &QAbstractButton::clicked, this, [this] {
        if (m_mode == Mode::Popup)
            hide();
        Q_EMIT settingsRequested();
    });
    connect(quit, &QAbstractButton::clicked, this, &PanelWindow::quitRequested);

    auto shortcut = [this](const QKeySequence &keys, auto slot) {
        auto *made = new QShortcut(keys, this);
        made->setContext(Qt::WindowShortcut);
        connect(made, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_R), [this] { m_refresh->click(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma), [settings] { settings->click(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), [quit] { quit->click(); });
    shortcut(QKeySequence(Qt::Key_Escape), [this] { hide(); });

    connect(&m_monitor, &StatusMonitor::servicesChanged, this, &PanelWindow::scheduleRefresh);
    connect(&m_monitor, &StatusMonitor::resultsChanged, this, &PanelWindow::scheduleRefresh);
    connect(&m_monitor, &StatusMonitor::isOfflineChanged, this, &PanelWindow::scheduleRefresh);
    connect(&m_monitor, &StatusMonitor::isRefreshingChanged, m_refresh, &RefreshButton::setRefreshing);
    m_refresh->setRefreshing(m_monitor.isRefreshing());
}

PanelWindow::~PanelWindow() = default;

void PanelWindow::setMode(Mode mode)
{
    if (mode == m_mode)
        return;
    // first, so that the hiding below is not taken for a popup losing the focus
    m_mode = mode;
    hide();
    setWindowFlags(flagsFor(mode));
    m_anchor.reset();
}

void PanelWindow::popUp(const QRect &anchor)
{
    m_anchor = anchor;
    refreshContent();
    m_freshForShow = true;
    adjustSize();
    placeAgainstAnchor();
    show();
    raise();
    activateWindow();
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

bool PanelWindow::justLostFocus() const
{
    // the press on the icon and its click arrive within a fraction of a second
    constexpr auto sameClick = 300ms;
    return m_focusLost.isValid() && std::chrono::milliseconds(m_focusLost.elapsed()) < sameClick;
}

void PanelWindow::placeAgainstAnchor()
{
    if (m_mode != Mode::Popup || !m_anchor)
        return;
    QScreen *screen = QGuiApplication::screenAt(m_anchor->center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    move(placePanel(size(), *m_anchor, screen->availableGeometry()).topLeft());
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

    m_header->setContent(m_monitor.aggregate(), ::summaryText(m_monitor.aggregate(), m_monitor.isOffline()), ::updatedText(m_monitor.lastUpdated(), now));
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
        auto *row = new ServiceRow(m_listBox);
        connect(row, &ServiceRow::pageRequested, this, &PanelWindow::openPage);
        m_listLayout->addWidget(row);
        m_rows.append(row);
    }
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        ServiceRow *row = m_rows.at(i);
        if (i >= order.size()) {
            row->hide();
            continue;
        }
        const Service &service = *order.at(i);
        const auto result = results.constFind(service.id);
        row->setContent(rowContent(service,
                                   result == results.cend() ? std::nullopt : std::optional<ServiceStatusResult>(*result),
                                   now),
                        m_monitor.history(service));
        row->show();
    }
    m_shownRows = order.size();

    m_listLayout->removeWidget(m_divider);
    if (grouped.hasDivider())
        m_listLayout->insertWidget(int(grouped.affected.size()), m_divider);
    m_divider->setVisible(grouped.hasDivider());

    // the scroll area fits the list's width itself; only its own height follows the list
    m_scroll->updateGeometry();
}

QList<ServiceRow *> PanelWindow::rows() const
{
    return m_rows.first(m_shownRows);
}

bool PanelWindow::hasDivider() const
{
    return !m_divider->isHidden();
}

QString PanelWindow::summaryText() const
{
    return m_header->summary();
}

QString PanelWindow::updatedText() const
{
    return m_header->updated();
}

void PanelWindow::openPage(const QUrl &page)
{
    // addresses come from files and feeds others write: only web pages are opened
    if (isWebAddress(page))
        m_opener.open(page);
}

void PanelWindow::showEvent(QShowEvent *event)
{
    // a panel shown ten minutes after the last check must say so
    if (!m_freshForShow)
        refreshContent();
    m_freshForShow = false;
    QWidget::showEvent(event);
    Q_EMIT shown();
}

void PanelWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && m_mode == Mode::Popup && isVisible() && !isActiveWindow()) {
        m_focusLost.start();
        hide();
    }
    QWidget::changeEvent(event);
}

void PanelWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // the list grew or shrank while open: stay against the icon and on the screen
    if (isVisible())
        placeAgainstAnchor();
}

void PanelWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (m_mode != Mode::Popup)
        return;
    // a frameless window needs an edge of its own against a desktop of the same colour
    QPainter painter(this);
    QColor edge = palette().color(QPalette::WindowText);
    edge.setAlphaF(0.2f);
    painter.setPen(edge);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
