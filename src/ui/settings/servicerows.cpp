#include "ui/settings/servicerows.h"

#include "catalog/servicecatalog.h"
#include "monitor/statusmonitor.h"
#include "ui/common/renderers.h"
#include "ui/common/style.h"
#include "ui/settings/servicesfilter.h"
#include "ui/settings/settingsbuttons.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The host under a name, in small secondary type, cut short rather than widening the row.
QLabel *hostLabel(QWidget *parent)
{
    auto *host = new ElidedLabel(parent);
    host->setFont(Style::font(host->font(), Style::Text::Caption));
    Style::setTone(*host, Style::Tone::Secondary);
    return host;
}

std::optional<Indicator> currentIndicator(const StatusMonitor &monitor, const std::optional<Service> &service)
{
    if (!service)
        return std::nullopt;
    const auto it = monitor.results().constFind(service->id);
    if (it == monitor.results().cend())
        return std::nullopt;
    return it->indicator;
}

} // namespace

StateGlyphLabel::StateGlyphLabel(Missing missing, QWidget *parent)
    : QWidget(parent)
    , m_missing(missing)
{
    setFixedSize(16, 16);
}

void StateGlyphLabel::setIndicator(std::optional<Indicator> indicator)
{
    if (indicator == m_indicator)
        return;
    m_indicator = indicator;
    update();
}

void StateGlyphLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_indicator && m_missing == Missing::Faded) {
        QColor faded = Style::secondary(palette());
        faded.setAlphaF(faded.alphaF() * 0.4f);
        painter.drawImage(QPointF(1, 1), renderGlyph(Glyph::Check, faded, 14, devicePixelRatioF()));
        return;
    }
    const Indicator indicator = m_indicator.value_or(Indicator::Unknown);
    painter.drawImage(QPointF(1, 1), renderGlyph(stateGlyph(indicator), Style::stateMark(palette(), indicator), 14,
                                                 devicePixelRatioF()));
}

CatalogRow::CatalogRow(StatusMonitor &monitor, const CatalogEntry &entry, QWidget *parent)
    : QWidget(parent)
    , m_monitor(monitor)
    , m_entry(entry)
    , m_switch(new SwitchButton(this))
    , m_glyph(new StateGlyphLabel(StateGlyphLabel::Missing::Faded, this))
    , m_components(new ComponentsButton(monitor, this))
    , m_mute(new MuteButton(monitor.settings(), this))
{
    m_switch->setObjectName(QStringLiteral("monitor"));
    m_components->setObjectName(QStringLiteral("components"));
    m_mute->setObjectName(QStringLiteral("mute"));
    m_switch->setAccessibleName(tr("Monitor %1").arg(entry.name));
    // toggled, not clicked: a screen reader's "Toggle" action only toggles. Refilling the
    // row sets the state the monitor already has, which changes nothing here.
    connect(m_switch, &QAbstractButton::toggled, this, [this](bool on) {
        if (on && !m_service)
            m_monitor.add(ServiceCatalog::newServices({m_entry}));
        else if (!on && m_service)
            m_monitor.remove(*m_service);
    });

    auto *name = new ElidedLabel(this);
    name->setText(entry.name);
    QLabel *host = hostLabel(this);
    host->setText(ServicesFilter::hostLine(entry.url));
    auto *text = new QVBoxLayout;
    text->setSpacing(1);
    text->setContentsMargins(0, 0, 0, 0);
    text->addWidget(name);
    text->addWidget(host);

    // Hidden until the entry is watched, but screen readers list hidden buttons too: named
    // after the entry from the start.
    m_mute->setService(QUuid(), entry.name);
    m_mute->hide();
    m_components->setAccessibleName(ComponentsButton::tr("Choose components for %1").arg(entry.name));
    m_components->setWanted(false);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->setSpacing(8);
    layout->addWidget(m_switch);
    layout->addWidget(m_glyph);
    layout->addLayout(text, 1);
    layout->addWidget(m_components);
    layout->addWidget(m_mute);
}

void CatalogRow::setService(const std::optional<Service> &service)
{
    // The service first: the switch's handler compares with it.
    const bool monitored = service.has_value();
    if (service != m_service) {
        m_service = service;
        m_components->setService(service);
        m_components->setWanted(monitored);
        if (service)
            m_mute->setService(service->id, service->name);
        m_mute->setVisible(monitored);
    }
    if (m_switch->isChecked() != monitored)
        m_switch->setChecked(monitored);
    updateState();
}

void CatalogRow::updateState()
{
    m_glyph->setIndicator(currentIndicator(m_monitor, m_service));
}

ListedServiceRow::ListedServiceRow(StatusMonitor &monitor, Kind kind, QWidget *parent)
    : QWidget(parent)
    , m_monitor(monitor)
    , m_kind(kind)
    , m_glyph(new StateGlyphLabel(StateGlyphLabel::Missing::Unknown, this))
    , m_name(new ElidedLabel(this))
    , m_components(new ComponentsButton(monitor, this))
    , m_mute(new MuteButton(monitor.settings(), this))
    , m_remove(new RemoveButton(monitor, this))
{
    setFocusPolicy(Qt::StrongFocus);
    m_components->setObjectName(QStringLiteral("components"));
    m_mute->setObjectName(QStringLiteral("mute"));
    m_remove->setObjectName(QStringLiteral("remove"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->setSpacing(8);
    if (kind == Kind::Reorder) {
        auto *handle = new GlyphLabel(12, this);
        handle->setGlyph(settingsGlyph(SettingsGlyph::DragHandle, Style::tertiary, 12));
        handle->setCursor(Qt::OpenHandCursor);
        layout->addWidget(handle);
        setAccessibleDescription(tr("Drag, or press Alt+Up or Alt+Down, to reorder"));
    }
    layout->addWidget(m_glyph);
    if (kind == Kind::Custom) {
        m_host = hostLabel(this);
        auto *text = new QVBoxLayout;
        text->setSpacing(1);
        text->setContentsMargins(0, 0, 0, 0);
        text->addWidget(m_name);
        text->addWidget(m_host);
        layout->addLayout(text, 1);
    } else {
        layout->addWidget(m_name, 1);
    }
    layout->addWidget(m_components);
    layout->addWidget(m_mute);
    layout->addWidget(m_remove);
}

void ListedServiceRow::setService(const Service &service)
{
    if (service != m_service) {
        m_service = service;
        m_name->setText(service.name);
        // A record for a provider this version lacks is only shown, and may be removed:
        // whatever would change it (its components) would write it in a form this version
        // does not know, and muting a service that is never checked means nothing.
        const std::optional<QString> unchecked = service.uncheckedReason();
        setAccessibleName(unchecked ? service.name + QStringLiteral(", ") + *unchecked : service.name);
        if (m_host)
            m_host->setText(unchecked.value_or(ServicesFilter::hostLine(service.url)));
        Style::setPlainToolTip(*m_name, unchecked.value_or(QString()));
        m_components->setService(service);
        m_mute->setService(service.id, service.name);
        m_mute->setVisible(!unchecked);
        m_remove->setService(service);
    }
    updateState();
}

void ListedServiceRow::updateState()
{
    m_glyph->setIndicator(currentIndicator(m_monitor, m_service));
}

void ListedServiceRow::keyPressEvent(QKeyEvent *event)
{
    if (m_kind == Kind::Reorder && event->modifiers() == Qt::AltModifier
        && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        Q_EMIT moveRequested(event->key() == Qt::Key_Up ? -1 : 1);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ListedServiceRow::paintEvent(QPaintEvent *event)
{
    if (hasFocus())
        paintTint(*this, palette().color(QPalette::Highlight), 0.15, 5);
    QWidget::paintEvent(event);
}

CategoryHeader::CategoryHeader(StatusMonitor &monitor, const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_monitor(monitor)
    , m_title(title)
    , m_button(Style::tintedButton(QString(), this))
{
    setObjectName(QStringLiteral("category"));
    setProperty("title", title);
    m_button->setObjectName(QStringLiteral("selectAll"));
    QLabel *label = Style::secondaryLabel(this, Style::Text::Footnote, QFont::DemiBold);
    label->setText(ServiceCatalog::displayTitle(title));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 10, 8, 2);
    layout->addWidget(label);
    layout->addStretch(1);
    layout->addWidget(m_button);
    connect(m_button, &QPushButton::clicked, this, [this] {
        // One change of the list for the whole section: one save, one refill of the tab.
        const QHash<QString, Service> monitored = ServiceCatalog::monitoredByEntry(m_monitor.services());
        if (allMonitored()) {
            QSet<QUuid> ids;
            for (const CatalogEntry &entry : std::as_const(m_entries))
                ids.insert(monitored.value(entry.id()).id);
            m_monitor.remove(ids);
            return;
        }
        QList<CatalogEntry> missing;
        for (const CatalogEntry &entry : std::as_const(m_entries)) {
            if (!monitored.contains(entry.id()))
                missing.append(entry);
        }
        m_monitor.add(ServiceCatalog::newServices(missing));
    });
}

void CategoryHeader::setEntries(const QList<CatalogEntry> &entries)
{
    m_entries = entries;
    updateButton();
}

bool CategoryHeader::allMonitored() const
{
    const QHash<QString, Service> monitored = ServiceCatalog::monitoredByEntry(m_monitor.services());
    return std::all_of(m_entries.cbegin(), m_entries.cend(),
                       [&monitored](const CatalogEntry &entry) { return monitored.contains(entry.id()); });
}

void CategoryHeader::updateButton()
{
    const bool all = allMonitored();
    const QString text = all ? tr("Deselect all") : tr("Select all");
    if (m_button->text() != text) {
        m_button->setText(text);
        const QString shown = ServiceCatalog::displayTitle(m_title);
        m_button->setAccessibleName(all ? tr("Deselect all in %1").arg(shown) : tr("Select all in %1").arg(shown));
    }
}
