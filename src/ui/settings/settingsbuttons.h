#pragma once

#include "core/service.h"
#include "ui/common/glyphwidgets.h"
#include "ui/settings/componentpicker.h"
#include "ui/settings/settingsglyphs.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QUuid>

#include <functional>
#include <optional>

class ComponentPicker;
class StatusMonitor;

// An on/off switch drawn as a pill with a knob; checkable, and named by its owner.
class SwitchButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit SwitchButton(QWidget *parent = nullptr);

    QSize sizeHint() const override { return QSize(32, 18); }

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Tells every mute button at once when the muted set changes, so that the buttons of one
// service agree wherever they are shown, and again when a timed mute ends. Writes go
// through here.
class MuteNotifier : public QObject
{
    Q_OBJECT

public:
    // The muted services: for good, or until a moment (UTC).
    struct Mutes {
        QSet<QUuid> always;
        QHash<QUuid, QDateTime> until;
    };

    static MuteNotifier &instance();

    // Switches the bell: off ends a timed mute too.
    void setMuted(const QUuid &serviceID, bool muted);
    // A notification's "Mute for 1 Hour".
    void muteUntil(const QUuid &serviceID, const QDateTime &end);
    // Re-reads the preferences and tells the buttons (after an outside change).
    void reload();
    // The mutes stored now, with the earliest end watched.
    Mutes current();

Q_SIGNALS:
    void mutedChanged(const MuteNotifier::Mutes &mutes);

private:
    explicit MuteNotifier(QObject *parent);

    // Fires at the earliest end of the timed mutes, when the buttons change by themselves.
    QTimer m_nextEnd;
};

// The bell: mutes or unmutes one service's notifications.
class MuteButton : public GlyphButton
{
    Q_OBJECT

public:
    explicit MuteButton(QWidget *parent = nullptr);

    void setServiceID(const QUuid &serviceID);
    QUuid serviceID() const { return m_serviceID; }
    bool isMuted() const { return m_muted; }

private:
    void showMutes(const MuteNotifier::Mutes &mutes);
    void setMutedShown(bool muted, const std::optional<QDateTime> &until);

    QUuid m_serviceID;
    bool m_muted = false;
    std::optional<QDateTime> m_until;
};

// The trash can: removes the service at once.
class RemoveButton : public GlyphButton
{
    Q_OBJECT

public:
    RemoveButton(StatusMonitor &monitor, QWidget *parent = nullptr);

    void setService(const Service &service);

private:
    StatusMonitor &m_monitor;
    Service m_service;
};

// The filter symbol: opens the component picker of a Statuspage service; shows nothing for
// other services or when no service is set.
class ComponentsButton : public GlyphButton
{
    Q_OBJECT

public:
    ComponentsButton(StatusMonitor &monitor, QWidget *parent = nullptr);

    void setService(const std::optional<Service> &service);
    // Whether the owner wants the button at all (a catalog row hides it while unmonitored).
    void setWanted(bool wanted);
    ComponentPicker *picker() const { return m_picker; }

private:
    void openPicker();
    void updateShown();

    StatusMonitor &m_monitor;
    std::optional<Service> m_service;
    bool m_wanted = true;
    QPointer<ComponentPicker> m_picker;
};
