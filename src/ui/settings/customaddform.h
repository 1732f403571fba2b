#pragma once

#include "core/providerkind.h"
#include "core/service.h"
#include "core/servicestatusresult.h"
#include "providers/detection.h"

#include <QUrl>
#include <QWidget>
#include <qcoro/qcorotask.h>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class StatusMonitor;

// Adds a service the catalog does not list. A status page is read once with its real
// provider before it is added, so that a wrong address is refused with the reason instead of
// becoming a service that is never reachable; a website is added as typed. "Detect
// automatically" tries the hosted status-page formats in turn and keeps the first that
// reads.
class CustomAddForm : public QWidget
{
    Q_OBJECT

public:
    explicit CustomAddForm(StatusMonitor &monitor, QWidget *parent = nullptr);

    // Replaces the read of a feed for the check (checkOnce(), the registry's provider).
    void setFeedCheck(FeedCheck check) { m_check = std::move(check); }

    // The address as it will be added: trimmed of spaces and tabs, "https://" put in front
    // when it has no scheme; absent when it is no web address with a host.
    static std::optional<QUrl> resolveAddress(const QString &typed);

    // The formats the picker offers, in order; absent stands for "Detect automatically".
    static QList<std::optional<ProviderKind>> choices();

    // Presses the button (what a click does), returning when the add has finished.
    QCoro::Task<> add();
    // Empties the form and its message line, as when the window is opened anew. A check
    // still running adds its service when it reads, but says nothing in the new form.
    void startOver();

Q_SIGNALS:
    void finished();

private:
    std::optional<ProviderKind> chosenKind() const;
    void updateControls();
    void setValidating(bool validating);
    void showError(const QString &error);
    void addService(const QUrl &url, ProviderKind kind);
    void runAdd();

    StatusMonitor &m_monitor;
    FeedCheck m_check;
    QLineEdit *m_name;
    QLineEdit *m_address;
    QComboBox *m_format;
    QPushButton *m_add;
    QLabel *m_message;
    std::optional<QString> m_error;
    std::optional<QString> m_notice;
    bool m_validating = false;
    // Counts startOver(): a check begun before the last one no longer owns the form.
    quint64 m_generation = 0;
};
