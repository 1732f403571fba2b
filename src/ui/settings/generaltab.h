#pragma once

#include "platform/loginitem.h"
#include "ui/settings/awsregionpicker.h"

#include <QPointer>
#include <QWidget>
#include <qcoro/qcorotask.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Settings;
class StatusMonitor;
class GlyphLabel;
class ValueRowButton;

// The "General" page of the settings: refresh interval, launch at login, notifications
// and their threshold, the alerts webhook with its test button, and, while AWS is
// monitored, the AWS region filter. Every control writes through at once; every control
// shows what the monitor and the preferences hold, so the page keeps no copy of its own.
class GeneralTab : public QWidget
{
    Q_OBJECT

public:
    struct Hooks {
        // The launch-at-login registration; the platform's when left empty.
        std::unique_ptr<LoginItem> loginItem;
        // Asks the desktop for permission to notify; called when notifications are switched on.
        std::function<void()> requestNotificationPermission;
    };

    explicit GeneralTab(StatusMonitor &monitor, Hooks hooks = {}, QWidget *parent = nullptr);
    ~GeneralTab() override;

    // Shows what is stored now (the login entry included) and forgets the last test's
    // result, as when the window is opened anew.
    void startOver();

    // Posts the test alert to the stored address; does nothing without a usable one or
    // while a test is running. Resolves when the answer is shown.
    QCoro::Task<> sendTest();

public Q_SLOTS:
    void showRegionPicker();

private:
    QWidget *buildGeneralSection();
    QWidget *buildNotificationSection();
    QWidget *buildWebhookSection();
    QWidget *buildRegionsSection();

    void showRefreshInterval(std::chrono::milliseconds interval);
    void showMinimumSeverity();
    void updateSeverityVisibility();
    void updateWebhookRow();
    void updateRegions();

    StatusMonitor &m_monitor;
    Settings &m_settings;
    std::unique_ptr<LoginItem> m_loginItem;
    std::function<void()> m_requestPermission;

    QComboBox *m_refresh = nullptr;
    QCheckBox *m_launchAtLogin = nullptr;
    QCheckBox *m_notify = nullptr;
    QLabel *m_severityLabel = nullptr;
    QComboBox *m_severity = nullptr;
    QLineEdit *m_webhook = nullptr;
    QPushButton *m_sendTest = nullptr;
    GlyphLabel *m_testIcon = nullptr;
    QLabel *m_testResult = nullptr;
    QWidget *m_regionsSection = nullptr;
    ValueRowButton *m_regionsButton = nullptr;
    QPointer<AWSRegionPicker> m_picker;

    bool m_testing = false;
    std::optional<bool> m_testOK;
};
