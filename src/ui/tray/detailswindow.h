#pragma once

#include "ui/common/popover.h"
#include "ui/common/renderers.h"
#include "ui/tray/detailsmodel.h"

#include <QList>
#include <QUrl>
#include <QWidget>

class ElidedLabel;
class QLabel;
class QPushButton;
class QVBoxLayout;

// One unresolved incident in the details: title, stage and start, the latest update and
// its age, and a button that opens the incident's page (shown only for a web page).
class IncidentView : public QWidget
{
    Q_OBJECT

public:
    explicit IncidentView(QWidget *parent = nullptr);

    void setContent(const IncidentText &text);

Q_SIGNALS:
    void pageRequested(const QUrl &page);

private:
    QLabel *m_title;
    QLabel *m_status;
    QLabel *m_update;
    QLabel *m_age;
    QPushButton *m_open;
    QUrl m_page;
};

// The week as a strip of two-hour bars, drawn like the rows' sparklines.
class WeekStrip : public QWidget
{
    Q_OBJECT

public:
    explicit WeekStrip(QWidget *parent = nullptr);

    void setSlots(const QList<std::optional<Indicator>> &slots);

    QSize sizeHint() const override { return weekStripSize; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<std::optional<Indicator>> m_slots;
};

// The story behind a row: every unresolved incident, the maintenance windows and the past
// week of one service, in a popover against the row. All text from feeds is plain text
// that wraps. The widgets are kept and refilled in place, the unused ones hidden: screen
// reader bridges do not cope well with widgets that come and go.
class DetailsWindow : public Popover
{
    Q_OBJECT

public:
    explicit DetailsWindow(QWidget *parent = nullptr);

    void setContent(const DetailsContent &content);

Q_SIGNALS:
    // "Open incident" was pressed; the page is the feed's, not yet checked.
    void pageRequested(const QUrl &page);

private:
    struct MaintenanceRow {
        QWidget *box;
        QLabel *title;
        QLabel *when;
    };

    QWidget *section(const QString &heading, QVBoxLayout *into);

    ElidedLabel *m_name;
    QWidget *m_incidentSection;
    QVBoxLayout *m_incidentList;
    QList<IncidentView *> m_incidents;
    QWidget *m_maintenanceSection;
    QVBoxLayout *m_maintenanceList;
    QList<MaintenanceRow> m_maintenances;
    WeekStrip *m_strip;
    QLabel *m_week;
};
