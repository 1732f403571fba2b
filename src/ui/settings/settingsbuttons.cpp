#include "ui/settings/settingsbuttons.h"

#include "alerts/notificationprefs.h"
#include "monitor/statusmonitor.h"
#include "ui/menubar/renderers.h"
#include "ui/settings/componentpicker.h"
#include "ui/settings/servicesfilter.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
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

QColor secondary(const QPalette &palette)
{
    return secondaryColour(palette);
}

QColor accent(const QPalette &palette)
{
    return palette.color(QPalette::Highlight);
}

} // namespace

QColor secondaryColour(const QPalette &palette)
{
    QColor colour = palette.color(QPalette::WindowText);
    colour.setAlphaF(0.6);
    return colour;
}

QLabel *plainLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    return label;
}

QLabel *secondaryLabel(QWidget *parent, int pixels, QFont::Weight weight)
{
    QLabel *label = plainLabel(QString(), parent);
    QFont font = label->font();
    font.setPixelSize(pixels);
    font.setWeight(weight);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, secondary(palette));
    label->setPalette(palette);
    return label;
}

QPushButton *tintedButton(const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setFlat(true);
    QFont font = button->font();
    font.setPixelSize(11);
    button->setFont(font);
    QPalette palette = button->palette();
    // Tinted while usable; the disabled group keeps the style's dimmed text.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::ButtonText, palette.color(QPalette::Highlight));
    button->setPalette(palette);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void popUpAt(QWidget &window, const QWidget &anchor, int x, int gap)
{
    QPoint at = anchor.mapToGlobal(QPoint(x, anchor.height() + gap));
    if (const QScreen *screen = anchor.screen()) {
        const QRect area = screen->availableGeometry();
        if (at.y() + window.height() > area.bottom())
            at.setY(anchor.mapToGlobal(QPoint(0, 0)).y() - window.height() - gap);
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - window.width())));
        at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - window.height())));
    }
    window.move(at);
    window.show();
    window.raise();
    window.activateWindow();
}

QFrame *divider(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

GlyphButton::GlyphButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

void GlyphCache::setPainter(GlyphPainter painter)
{
    m_painter = std::move(painter);
    m_image = QImage();
    m_paletteKey = -1;
}

const QImage &GlyphCache::image(const QWidget &widget)
{
    const qint64 key = widget.palette().cacheKey();
    const qreal ratio = widget.devicePixelRatioF();
    if (m_painter && (key != m_paletteKey || !qFuzzyCompare(ratio, m_ratio))) {
        m_image = m_painter(widget.palette(), ratio);
        m_paletteKey = key;
        m_ratio = ratio;
    }
    return m_image;
}

namespace {

void paintCentred(QWidget &widget, const QImage &image)
{
    if (image.isNull())
        return;
    QPainter painter(&widget);
    const QSizeF size = image.deviceIndependentSize();
    painter.drawImage(QPointF((widget.width() - size.width()) / 2, (widget.height() - size.height()) / 2), image);
}

} // namespace

void GlyphButton::setGlyph(GlyphPainter painter)
{
    m_glyph.setPainter(std::move(painter));
    update();
}

void GlyphButton::setGlyph(SettingsGlyph glyph, std::function<QColor(const QPalette &)> colour, qreal side)
{
    setGlyph([glyph, colour = std::move(colour), side](const QPalette &palette, qreal ratio) {
        return renderSettingsGlyph(glyph, colour(palette), side, ratio);
    });
}

void GlyphButton::paintEvent(QPaintEvent *)
{
    if (underMouse() || hasFocus())
        paintTint(*this, palette().color(QPalette::WindowText), hasFocus() ? 0.14 : 0.08, 5);
    paintCentred(*this, m_glyph.image(*this));
}

GlyphLabel::GlyphLabel(qreal side, QWidget *parent)
    : QWidget(parent)
    , m_side(side)
{
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(sizeHint());
}

void GlyphLabel::setGlyph(GlyphPainter painter)
{
    m_glyph.setPainter(std::move(painter));
    update();
}

QSize GlyphLabel::sizeHint() const
{
    const int side = int(std::ceil(m_side));
    return QSize(side, side);
}

void GlyphLabel::paintEvent(QPaintEvent *)
{
    paintCentred(*this, m_glyph.image(*this));
}

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
    QColor off = palette().color(QPalette::WindowText);
    off.setAlphaF(0.22);
    painter.setPen(hasFocus() ? QPen(palette().color(QPalette::Highlight), 1.5) : Qt::NoPen);
    painter.setBrush(isChecked() ? palette().color(QPalette::Highlight) : off);
    painter.drawRoundedRect(track, radius, radius);
    const qreal knob = track.height() - 4;
    const qreal x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
}

MuteNotifier::MuteNotifier(QObject *parent)
    : QObject(parent)
{
    m_nextEnd.setSingleShot(true);
    // A coarse timer may fire minutes late on an hour.
    m_nextEnd.setTimerType(Qt::PreciseTimer);
    connect(&m_nextEnd, &QTimer::timeout, this, &MuteNotifier::reload);
}

MuteNotifier &MuteNotifier::instance()
{
    // The application's child rather than a static, so that its timer goes with the event
    // loop it runs on.
    static QPointer<MuteNotifier> notifier;
    if (!notifier)
        notifier = new MuteNotifier(QCoreApplication::instance());
    return *notifier;
}

void MuteNotifier::setMuted(const QUuid &serviceID, bool muted)
{
    NotificationPrefs::setMuted(serviceID, muted);
    reload();
}

void MuteNotifier::muteUntil(const QUuid &serviceID, const QDateTime &end)
{
    NotificationPrefs::muteUntil(serviceID, end, QDateTime::currentDateTimeUtc());
    reload();
}

void MuteNotifier::reload()
{
    Q_EMIT mutedChanged(current());
}

MuteNotifier::Mutes MuteNotifier::current()
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    Mutes mutes{NotificationPrefs::mutedServiceIDs(), NotificationPrefs::mutedUntil(now)};
    if (mutes.until.isEmpty()) {
        m_nextEnd.stop();
    } else {
        // Re-armed on every read, so that an end written meanwhile is never missed; a timer
        // that fires early finds the mute still running and waits again. QTimer counts in
        // int milliseconds: a far end is reached in steps.
        const QDateTime next = *std::min_element(mutes.until.cbegin(), mutes.until.cend());
        m_nextEnd.start(std::clamp(std::chrono::milliseconds(now.msecsTo(next)), 0ms, std::chrono::milliseconds(24h)));
    }
    return mutes;
}

MuteButton::MuteButton(QWidget *parent)
    : GlyphButton(parent)
{
    setMutedShown(false, std::nullopt);
    connect(&MuteNotifier::instance(), &MuteNotifier::mutedChanged, this, &MuteButton::showMutes);
    connect(this, &QAbstractButton::clicked, this,
            [this] { MuteNotifier::instance().setMuted(m_serviceID, !m_muted); });
}

void MuteButton::setServiceID(const QUuid &serviceID)
{
    if (serviceID == m_serviceID)
        return;
    m_serviceID = serviceID;
    showMutes(MuteNotifier::instance().current());
}

void MuteButton::showMutes(const MuteNotifier::Mutes &mutes)
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
    if (muted == m_muted && until == m_until && !toolTip().isEmpty())
        return;
    m_muted = muted;
    m_until = until;
    setGlyph(muted ? SettingsGlyph::BellSlash : SettingsGlyph::Bell, muted ? accent : secondary);
    QString state = muted ? tr("Notifications muted") : tr("Mute notifications");
    if (until) {
        // The clock time for an hour's mute; a date too for an end that is further away.
        const QDateTime local = until->toLocalTime();
        const bool soon = QDateTime::currentDateTimeUtc().secsTo(*until) < 12 * 3600;
        state = tr("Muted until %1")
                    .arg(soon ? QLocale().toString(local.time(), QLocale::ShortFormat)
                              : QLocale().toString(local, QLocale::ShortFormat));
    }
    setToolTip(state.toHtmlEscaped());
    setAccessibleName(muted ? tr("Unmute notifications") : tr("Mute notifications"));
    setAccessibleDescription(until ? state : QString());
}

RemoveButton::RemoveButton(StatusMonitor &monitor, QWidget *parent)
    : GlyphButton(parent)
    , m_monitor(monitor)
{
    setGlyph(SettingsGlyph::Trash, secondary);
    // Queued: the row holding this button is refilled by the removal.
    connect(this, &QAbstractButton::clicked, this, [this] {
        const Service service = m_service;
        QMetaObject::invokeMethod(&m_monitor, [monitor = &m_monitor, service] { monitor->remove(service); },
                                  Qt::QueuedConnection);
    });
}

void RemoveButton::setService(const Service &service)
{
    if (service.name != m_service.name) {
        setToolTip(tr("Remove %1").arg(service.name).toHtmlEscaped());
        setAccessibleName(tr("Remove %1").arg(service.name));
    }
    m_service = service;
}

ComponentsButton::ComponentsButton(StatusMonitor &monitor, QWidget *parent)
    : GlyphButton(parent)
    , m_monitor(monitor)
{
    hide();
    connect(this, &QAbstractButton::clicked, this, &ComponentsButton::openPicker);
}

void ComponentsButton::setService(const std::optional<Service> &service)
{
    const bool selection = service && service->components && !service->components->isEmpty();
    const bool hadSelection = m_service && m_service->components && !m_service->components->isEmpty();
    const bool first = !m_service && toolTip().isEmpty();
    if (first || selection != hadSelection)
        setGlyph(selection ? SettingsGlyph::FilterFilled : SettingsGlyph::Filter, selection ? accent : secondary);
    m_service = service;
    if (service) {
        setToolTip(ServicesFilter::componentsTooltip(service->components).toHtmlEscaped());
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
    setVisible(m_wanted && m_service && m_service->provider == ProviderKind::Statuspage);
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
    m_picker->showBelow(this);
}
