#pragma once

#include "ui/common/popover.h"

#include <QDateTime>
#include <QList>
#include <QRect>
#include <QUuid>

#include <functional>
#include <optional>

class CappedScrollArea;
class DetailsButton;
class DetailsWindow;
class FooterButton;
class HeaderView;
class QTimer;
class QVBoxLayout;
class RefreshButton;
class ServiceRow;
class StatusMonitor;
class UrlOpener;

// The panel of every service: a header with the overall state, the time of the last check
// and a refresh button; the list, troubled services first (or, with none, a word saying so
// and a way to Settings); and a footer with Settings and Quit. Next to a tray it is a
// frameless tool window that hides on Escape and when it loses focus; without a tray it is
// an ordinary window titled "Glinter" whose closing only hides it. A tray that comes or goes
// later switches it from one to the other.
//
// Everything shown is derived from the monitor whenever it publishes (while visible) and
// each time the panel is shown; nothing runs while it is hidden. Row widgets are kept and
// refilled in place: screen reader bridges do not cope well with widgets that come and go.
class PanelWindow : public Popover
{
    Q_OBJECT

public:
    enum class Mode { Popup, Window };
    using Clock = std::function<QDateTime()>;

    PanelWindow(StatusMonitor &monitor, UrlOpener &opener, Mode mode, QWidget *parent = nullptr);
    ~PanelWindow() override;

    Mode mode() const { return isPopover() ? Mode::Popup : Mode::Window; }
    // Hides the panel and turns it into the other kind of window; it is shown again only
    // when asked.
    void setMode(Mode mode);

    // Shows the panel against `anchor` (the tray icon's geometry, or a point at the cursor),
    // inside the available area of that screen, and gives it the focus.
    void popUp(const QRect &anchor);
    // Shows the ordinary window, raised and active.
    void present();

    // Recomputes every text, the order and the rows from the monitor now.
    void refreshContent();
    // Opens the details of a service listed in the shown panel.
    void showDetails(const QUuid &service);

    // Tests replace the clock.
    void setClock(Clock clock) { m_clock = std::move(clock); }

Q_SIGNALS:
    void settingsRequested();
    void quitRequested();
    // The panel appeared on the screen.
    void shown();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void scheduleRefresh();
    void openPage(const QUrl &page);
    void openDetails(qsizetype rowIndex);
    void openPendingDetails();
    // Refills the open details from the monitor, or closes them when their service is gone.
    void refreshDetails(const QDateTime &now);

    StatusMonitor &m_monitor;
    UrlOpener &m_opener;
    Clock m_clock;
    // While the panel is shown, the ages in it go on ("Updated 10 sec. ago").
    QTimer *m_ageTicker = nullptr;

    HeaderView *m_header = nullptr;
    RefreshButton *m_refresh = nullptr;
    CappedScrollArea *m_scroll = nullptr;
    QWidget *m_listBox = nullptr;
    QVBoxLayout *m_listLayout = nullptr;
    QWidget *m_divider = nullptr;
    // Stands in for the list while no service is watched.
    QWidget *m_empty = nullptr;

    // Every row ever made, in the order of the layout and of their creation; the first
    // ones show the list, the rest wait, hidden, for a longer one. Each row sits in a line
    // with its details control after it, so that Tab goes from a row to its details.
    QList<QWidget *> m_lines;
    QList<ServiceRow *> m_rows;
    QList<DetailsButton *> m_detailButtons;
    // The service each shown row stands for.
    QList<QUuid> m_rowServices;

    DetailsWindow *m_details = nullptr;
    QUuid m_detailsService;
    // Details asked for before the panel had the focus.
    std::optional<QUuid> m_pendingDetails;

    bool m_refreshQueued = false;
    bool m_freshForShow = false;
};
