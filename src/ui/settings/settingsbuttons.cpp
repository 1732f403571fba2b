#include "ui/settings/settingsbuttons.h"

#include "core/settings.h"
#include "monitor/statusmonitor.h"
#include "providers/providertable.h"
#include "ui/common/renderers.h"
#include "ui/common/style.h"
#include "ui/settings/componentpicker.h"
#include "ui/settings/servicesfilter.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOption>

#include <algorithm>
#include <chrono>
#include <cmath>

using namespace std::chrono_literals;

namespace {

QColor accentColour(const QPalette &palette)
{
    return Style::accentMark(palette);
}

} // namespace

SwitchButton::SwitchButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void SwitchButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    // the track is the switch's outline: off, it still stands out from the window
    const QColor off = Style::tertiary(palette());
    const QColor on = Style::accentMark(palette());
    painter.setPen(hasFocus() ? QPen(on, 1.5) : Qt::NoPen);
    painter.setBrush(isChecked() ? on : off);
    painter.drawRoundedRect(track, radius, radius);
    const qreal knob = track.height() - 4;
    const qreal x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
}

MuteButton::MuteButton(Settings &settings, QWidget *parent)
    : GlyphButton(parent)
    , m_settings(settings)
{
    setMutedShown(false, std::nullopt);
    // Every bell of a service agrees, and a timed mute shows unmuted the moment it ends.
    connect(&m_settings, &Settings::mutesChanged, this, [this] { showMutes(m_settings.mutes()); });
    connect(this, &QAbstractButton::clicked, this, [this] { m_settings.setMuted(m_serviceID, !m_muted); });
}

void MuteButton::setService(const QUuid &serviceID, const QString &name)
{
    if (serviceID == m_serviceID && name == m_serviceName)
        return;
    m_serviceID = serviceID;
    m_serviceName = name;
    showMutes(m_settings.mutes());
}

void MuteButton::showMutes(const Settings::Mutes &mutes)
{
    if (m_serviceID.isNull()) {
        setMutedShown(false, std::nullopt);
    } else if (mutes.always.contains(m_serviceID)) {
        setMutedShown(true, std::nullopt);
    } else {
        const auto until = mutes.until.constFind(m_serviceID);
        setMutedShown(until != mutes.until.constEnd(),
                      until != mutes.until.constEnd() ? std::optional(*until) : std::nullopt);
    }
}

void MuteButton::setMutedShown(bool muted, const std::optional<QDateTime> &until)
{
    // every time: the same state may now be another service's
    setAccessibleName(muted ? tr("Unmute notifications for %1").arg(m_serviceName)
                            : tr("Mute notifications for %1").arg(m_serviceName));
    if (muted == m_muted && until == m_until && !toolTip().isEmpty())
        return;
    m_muted = muted;
    m_until = until;
    setGlyph(
        settingsGlyph(muted ? SettingsGlyph::BellSlash : SettingsGlyph::Bell, muted ? accentColour : Style::secondary));
    QString state = muted ? tr("Notifications muted") : tr("Mute notifications");
    if (until) {
        // The clock time for an hour's mute; a date too for an end that is further away.
        const QDateTime local = until->toLocalTime();
        const bool soon = QDateTime::currentDateTimeUtc().secsTo(*until) < qint64(12) * 3600;
        state = tr("Muted until %1")
                    .arg(soon ? QLocale().toString(local.time(), QLocale::ShortFormat)
                              : QLocale().toString(local, QLocale::ShortFormat));
    }
    setToolTip(state.toHtmlEscaped());
    setAccessibleDescription(until ? state : QString());
}

RemoveButton::RemoveButton(StatusMonitor &monitor, QWidget *parent)
    : GlyphButton(parent)
    , m_monitor(monitor)
{
    setGlyph(settingsGlyph(SettingsGlyph::Trash, Style::secondary));
    // Queued: the row holding this button is refilled by the removal.
    connect(this, &QAbstractButton::clicked, this, [this] {
        const Service service = m_service;
        QMetaObject::invokeMethod(
            &m_monitor, [monitor = &m_monitor, service] { monitor->remove(service); }, Qt::QueuedConnection);
    });
}

void RemoveButton::setService(const Service &service)
{
    if (service.name != m_service.name) {
        Style::setPlainToolTip(*this, tr("Remove %1").arg(service.name));
        setAccessibleName(tr("Remove %1").arg(service.name));
    }
    m_service = service;
}

ComponentsButton::ComponentsButton(StatusMonitor &monitor, QWidget *parent)
    : GlyphButton(parent)
    , m_monitor(monitor)
{
    hide();
    // Named even before it stands for a service: screen readers list hidden buttons too.
    setAccessibleName(tr("Choose components"));
    connect(this, &QAbstractButton::clicked, this, &ComponentsButton::openPicker);
}

void ComponentsButton::setService(const std::optional<Service> &service)
{
    const bool selection = service && service->components && !service->components->isEmpty();
    const bool hadSelection = m_service && m_service->components && !m_service->components->isEmpty();
    const bool first = !m_service && toolTip().isEmpty();
    if (first || selection != hadSelection)
        setGlyph(settingsGlyph(selection ? SettingsGlyph::FilterFilled : SettingsGlyph::Filter,
                               selection ? accentColour : Style::secondary));
    m_service = service;
    if (service) {
        Style::setPlainToolTip(*this, ServicesFilter::componentsTooltip(service->components));
        setAccessibleName(tr("Choose components for %1").arg(service->name));
    }
    updateShown();
}

void ComponentsButton::setWanted(bool wanted)
{
    m_wanted = wanted;
    updateShown();
}

void ComponentsButton::updateShown()
{
    setVisible(m_wanted && m_service && m_service->provider
               && providerInfo(*m_service->provider).listComponents != nullptr);
}

void ComponentsButton::openPicker()
{
    if (!m_service)
        return;
    if (m_picker) {
        m_picker->close();
        m_picker = nullptr;
    }
    m_picker = new ComponentPicker(m_monitor, *m_service, this);
    m_picker->popUp(*this);
}
