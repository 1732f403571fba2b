#pragma once

#include "core/service.h"
#include "core/settings.h"
#include "ui/common/glyphwidgets.h"
#include "ui/settings/componentpicker.h"
#include "ui/settings/settingsglyphs.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QPointer>
#include <QSet>
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

// The bell: mutes or unmutes one service's notifications.
class MuteButton : public GlyphButton
{
    Q_OBJECT

public:
    explicit MuteButton(Settings &settings, QWidget *parent = nullptr);

    // The service it mutes; screen readers hear its name with the button's, as the button
    // sits among every other service's bell.
    void setService(const QUuid &serviceID, const QString &name);

private:
    void showMutes(const Settings::Mutes &mutes);
    void setMutedShown(bool muted, const std::optional<QDateTime> &until);

    Settings &m_settings;
    QUuid m_serviceID;
    QString m_serviceName;
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

private:
    void openPicker();
    void updateShown();

    StatusMonitor &m_monitor;
    std::optional<Service> m_service;
    bool m_wanted = true;
    QPointer<ComponentPicker> m_picker;
};
