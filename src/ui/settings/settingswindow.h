#pragma once

#include <QMainWindow>

class GeneralTab;
class QTabWidget;
class ServicesTab;
class StatusMonitor;

// The settings window: a "Services" and a "General" tab, both acting on the shared monitor
// at once (there is no apply step). A main window rather than a dialog: screen readers
// meet it as a window, and Return in its fields never presses a button by default.
class SettingsWindow : public QMainWindow
{
    Q_OBJECT

public:
    enum class Tab { Services, General };

    explicit SettingsWindow(StatusMonitor &monitor, Tab initial = Tab::Services, QWidget *parent = nullptr);

    // Shows the window and brings it to the front. A window that was closed opens as new:
    // search empty, forms empty, no error or test result left over, the stored values read
    // again; a window already open is only raised.
    void open();

    void setCurrentTab(Tab tab);

private:
    QTabWidget *m_tabs;
    QWidget *m_services;
    GeneralTab *m_general;
    ServicesTab *m_servicesTab;
};
