#include "ui/settings/settingswindow.h"

#include <QTabWidget>

SettingsWindow::SettingsWindow(StatusMonitor &monitor, Tab initial, QWidget *parent)
    : QMainWindow(parent)
    , m_monitor(monitor)
    , m_tabs(new QTabWidget(this))
    , m_services(new QWidget(m_tabs))
    , m_general(new QWidget(m_tabs))
{
    setWindowTitle(tr("Glinter Settings"));
    setAccessibleName(tr("Glinter Settings"));
    m_services->setAccessibleName(tr("Services"));
    m_general->setAccessibleName(tr("General"));
    m_tabs->addTab(m_services, tr("Services"));
    m_tabs->addTab(m_general, tr("General"));
    setCurrentTab(initial);

    setCentralWidget(m_tabs);
    setFixedSize(500, 580);
}

SettingsWindow::Tab SettingsWindow::initialTab()
{
    return qgetenv("GLINTER_SETTINGS_TAB") == "general" ? Tab::General : Tab::Services;
}

SettingsWindow::Tab SettingsWindow::currentTab() const
{
    return m_tabs->currentWidget() == m_general ? Tab::General : Tab::Services;
}

void SettingsWindow::setCurrentTab(Tab tab)
{
    m_tabs->setCurrentWidget(tab == Tab::General ? m_general : m_services);
}
