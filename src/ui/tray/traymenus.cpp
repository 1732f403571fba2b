#include "ui/tray/traymenus.h"

#include "monitor/statusmonitor.h"
#include "ui/common/renderers.h"
#include "ui/common/statepalette.h"
#include "ui/tray/traymenu.h"

#include <QBuffer>
#include <QMenu>

namespace {

// A menu line's state symbol, as trays take it (PNG). The tray draws the menu in its own
// colours, which need not be ours (GNOME's is dark under a light application): every
// symbol takes the colours that read on black and on white, a neutral one the grey.
QByteArray menuIcon(const TrayMenuLine &line)
{
    if (!line.glyph)
        return {};
    const QColor colour = stateColorOnAny(line.neutralGlyph ? Indicator::Unknown : line.indicator);
    const QImage image = renderGlyph(*line.glyph, colour, 16, 1);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace

TrayMenus::TrayMenus(const StatusMonitor &monitor, StatusNotifierItem &item, Setup setup, QObject *parent)
    : QObject(parent)
    , m_monitor(monitor)
    , m_item(item)
    , m_setup(std::move(setup))
    , m_qtMenu(std::make_unique<QMenu>())
{
    connect(m_qtMenu.get(), &QMenu::aboutToShow, this, &TrayMenus::fillQtMenu);
    fillQtMenu();

    updateItemMenu();
    connect(&m_item, &StatusNotifierItem::menuTriggered, this, [this](int index) {
        if (index >= 0 && index < m_itemEntries.size() && m_itemEntries.at(index).run)
            m_itemEntries.at(index).run();
    });
    connect(&m_item, &StatusNotifierItem::menuAboutToShow, this, &TrayMenus::updateItemMenu);
    // the glance follows every refresh, whether or not the meter changes
    connect(&m_monitor, &StatusMonitor::resultsChanged, this, &TrayMenus::updateItemMenu);
    connect(&m_monitor, &StatusMonitor::servicesChanged, this, &TrayMenus::updateItemMenu);
    connect(&m_monitor, &StatusMonitor::isOfflineChanged, this, &TrayMenus::updateItemMenu);
}

TrayMenus::~TrayMenus() = default;

QList<TrayMenus::Entry> TrayMenus::entries(QList<StatusNotifierItem::MenuEntry> *itemMenu) const
{
    const QList<TrayMenuLine> glance = TrayMenu::glance({
        .services = m_monitor.services(),
        .results = m_monitor.results(),
        .aggregate = m_monitor.aggregate(),
        .offline = m_monitor.isOffline(),
        .lastUpdated = m_monitor.lastUpdated(),
        .now = QDateTime::currentDateTimeUtc(),
    });
    QList<Entry> entries;
    for (const TrayMenuLine &line : glance) {
        std::function<void()> run;
        if (line.action == TrayMenuLine::Action::OpenPanel)
            run = m_setup.openPanel;
        else if (line.action == TrayMenuLine::Action::OpenService)
            run = [open = m_setup.openService, id = line.service] { open(id); };
        entries.append({line.label, run});
        if (itemMenu) {
            itemMenu->append({.label = line.label,
                              .enabled = bool(run),
                              .icon = menuIcon(line),
                              .accessibleDescription = line.accessibleText,
                              .key = line.service.isNull() ? QString() : line.service.toString()});
        }
    }
    entries.append(Entry{});
    if (itemMenu)
        itemMenu->append({.separator = true});
    for (const Entry &entry : m_setup.fixed) {
        entries.append(entry);
        if (itemMenu)
            itemMenu->append({.label = entry.label, .separator = entry.label.isEmpty()});
    }
    return entries;
}

void TrayMenus::updateItemMenu()
{
    QList<StatusNotifierItem::MenuEntry> itemMenu;
    m_itemEntries = entries(&itemMenu);
    m_item.setMenu(itemMenu);
}

void TrayMenus::fillQtMenu()
{
    m_qtMenu->clear();
    for (const Entry &entry : entries(nullptr)) {
        if (entry.label.isEmpty()) {
            m_qtMenu->addSeparator();
            continue;
        }
        QAction *action = m_qtMenu->addAction(entry.label);
        action->setEnabled(bool(entry.run));
        if (entry.run)
            connect(action, &QAction::triggered, this, entry.run);
    }
}
