#include "ui/settings/generaltab.h"

#include "alerts/webhook.h"
#include "core/settings.h"
#include "monitor/statusmonitor.h"
#include "platform/loginitem.h"
#include "providers/providertable.h"
#include "ui/common/labelledcombobox.h"
#include "ui/common/renderers.h"
#include "ui/common/style.h"
#include "ui/settings/awsregionpicker.h"
#include "ui/settings/settingsbuttons.h"
#include "ui/settings/settingsglyphs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace std::chrono_literals;

// A flat button the width of its row: a title at the left and a value at the right. The
// screen reader hears the title as the name and the value as the description.
class ValueRowButton : public QPushButton
{
public:
    ValueRowButton(const QString &title, QWidget *parent)
        : QPushButton(parent)
        , m_title(Style::plainLabel(title, this))
        , m_value(Style::plainLabel(QString(), this))
    {
        setFlat(true);
        setAccessibleName(title);
        setCursor(Qt::PointingHandCursor);
        auto *layout = new QHBoxLayout(this);
        layout->setContentsMargins(6, 4, 6, 4);
        layout->addWidget(m_title);
        layout->addStretch();
        layout->addWidget(m_value);
        Style::setTone(*m_value, Style::Tone::Secondary);
        for (QLabel *label : {m_title, m_value})
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
        setMinimumHeight(layout->sizeHint().height());
    }

    void setValue(const QString &value)
    {
        m_value->setText(value);
        setAccessibleDescription(value);
    }
    QString value() const { return m_value->text(); }

    QSize sizeHint() const override { return layout()->sizeHint(); }

private:
    QLabel *m_title;
    QLabel *m_value;
};

namespace {

QLabel *footer(const QString &text, QWidget *parent)
{
    QLabel *label = Style::secondaryLabel(parent, Style::Text::Footnote);
    label->setText(text);
    label->setWordWrap(true);
    return label;
}

QFrame *sectionBox(QWidget *parent)
{
    auto *box = new QFrame(parent);
    box->setFrameShape(QFrame::StyledPanel);
    return box;
}

QLabel *header(const QString &text, QWidget *parent)
{
    QLabel *label = Style::plainLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// The choices of "Refresh every", and of "Notify me about" with their words.
constexpr std::chrono::minutes refreshChoices[] = {1min, 5min, 15min, 30min};

struct SeverityChoice {
    Indicator minimum;
    const char *label;
};
constexpr SeverityChoice severityChoices[] = {
    {Indicator::Minor, QT_TRANSLATE_NOOP("GeneralTab", "Any issue")},
    {Indicator::Major, QT_TRANSLATE_NOOP("GeneralTab", "Major outages")},
    {Indicator::Critical, QT_TRANSLATE_NOOP("GeneralTab", "Critical only")},
};

// "All regions", or how many are selected.
QString regionsSummary(qsizetype selectedCount)
{
    if (selectedCount <= 0)
        return QCoreApplication::translate("GeneralTab", "All regions");
    return QCoreApplication::translate("GeneralTab", "%n selected", nullptr, int(selectedCount));
}

} // namespace

GeneralTab::GeneralTab(StatusMonitor &monitor, Hooks hooks, QWidget *parent)
    : QWidget(parent)
    , m_monitor(monitor)
    , m_settings(monitor.settings())
    , m_loginItem(hooks.loginItem ? std::move(hooks.loginItem) : makeLoginItem())
    , m_requestPermission(std::move(hooks.requestNotificationPermission))
{
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(6);
    layout->addWidget(buildGeneralSection());
    layout->addSpacing(8);
    layout->addWidget(buildNotificationSection());
    layout->addWidget(
        footer(tr("Get a notification when a monitored service starts having issues or recovers."), this));
    layout->addSpacing(8);
    layout->addWidget(buildWebhookSection());
    layout->addSpacing(8);
    layout->addWidget(buildRegionsSection());
    layout->addStretch();

    connect(&m_monitor, &StatusMonitor::refreshIntervalChanged, this, &GeneralTab::showRefreshInterval);
    connect(&m_monitor, &StatusMonitor::servicesChanged, this, &GeneralTab::updateRegions);
    connect(&m_settings, &Settings::awsRegionsChanged, this, &GeneralTab::updateRegions);
}

GeneralTab::~GeneralTab() = default;

void GeneralTab::startOver()
{
    {
        const QSignalBlocker blockLogin(m_launchAtLogin);
        m_launchAtLogin->setChecked(m_loginItem->isEnabled());
    }
    {
        const QSignalBlocker blockNotify(m_notify);
        m_notify->setChecked(m_settings.notificationsEnabled());
    }
    showMinimumSeverity();
    updateSeverityVisibility();
    {
        const QSignalBlocker blockWebhook(m_webhook);
        m_webhook->setText(m_settings.webhookAddress());
    }
    showRefreshInterval(m_monitor.refreshInterval());
    if (m_picker)
        m_picker->hide();
    // A test still on its way shows its answer when it comes; only an old answer goes.
    if (!m_testing)
        m_testOK.reset();
    updateWebhookRow();
    updateRegions();
}

QWidget *GeneralTab::buildGeneralSection()
{
    QFrame *box = sectionBox(this);
    auto *form = new QFormLayout(box);

    m_refresh = new LabelledComboBox(box);
    m_refresh->setObjectName(QStringLiteral("refreshPicker"));
    for (const std::chrono::minutes choice : refreshChoices)
        m_refresh->addItem(tr("%n minute(s)", nullptr, int(choice.count())), qlonglong(choice.count()));
    QLabel *refreshLabel = Style::plainLabel(tr("Refresh every"), box);
    refreshLabel->setBuddy(m_refresh);
    form->addRow(refreshLabel, m_refresh);
    showRefreshInterval(m_monitor.refreshInterval());
    connect(m_refresh, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            m_monitor.setRefreshInterval(std::chrono::minutes(m_refresh->itemData(index).toLongLong()));
    });

    m_launchAtLogin = new QCheckBox(tr("Launch at login"), box);
    m_launchAtLogin->setObjectName(QStringLiteral("launchAtLogin"));
    m_launchAtLogin->setChecked(m_loginItem->isEnabled());
    // The switch stays where the user put it even when the registration fails; the
    // failure is logged.
    connect(m_launchAtLogin, &QCheckBox::toggled, this, [this](bool on) { m_loginItem->setEnabled(on); });
    form->addRow(m_launchAtLogin);
    return box;
}

QWidget *GeneralTab::buildNotificationSection()
{
    QFrame *box = sectionBox(this);
    auto *form = new QFormLayout(box);

    m_notify = new QCheckBox(tr("Notify when a service goes down"), box);
    m_notify->setObjectName(QStringLiteral("notify"));
    m_notify->setChecked(m_settings.notificationsEnabled());
    form->addRow(m_notify);

    m_severity = new LabelledComboBox(box);
    m_severity->setObjectName(QStringLiteral("severityPicker"));
    for (const SeverityChoice &choice : severityChoices)
        m_severity->addItem(tr(choice.label), storedNumber(choice.minimum));
    showMinimumSeverity();
    m_severityLabel = Style::plainLabel(tr("Notify me about"), box);
    m_severityLabel->setBuddy(m_severity);
    form->addRow(m_severityLabel, m_severity);
    connect(m_severity, &QComboBox::activated, this, [this](int index) {
        if (const std::optional<Indicator> minimum = indicatorFromStoredNumber(m_severity->itemData(index).toInt()))
            m_settings.setNotificationMinSeverity(*minimum);
    });

    connect(m_notify, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.setNotificationsEnabled(on);
        if (on && m_requestPermission)
            m_requestPermission();
        // The threshold stays stored while hidden; show it as stored when it comes back.
        if (on)
            showMinimumSeverity();
        updateSeverityVisibility();
    });
    updateSeverityVisibility();
    return box;
}

QWidget *GeneralTab::buildWebhookSection()
{
    auto *section = new QWidget(this);
    auto *outer = new QVBoxLayout(section);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(header(tr("Alerts webhook"), section));

    QFrame *box = sectionBox(section);
    auto *form = new QFormLayout(box);
    m_webhook = new QLineEdit(m_settings.webhookAddress(), box);
    m_webhook->setObjectName(QStringLiteral("webhookField"));
    m_webhook->setPlaceholderText(tr("https://hooks.slack.com/services/… or any endpoint"));
    m_webhook->setClearButtonEnabled(true);
    // Qt's own button in the field has no name of its own.
    if (auto *clear = m_webhook->findChild<QToolButton *>())
        clear->setAccessibleName(tr("Clear webhook URL"));
    QLabel *webhookLabel = Style::plainLabel(tr("Webhook URL"), box);
    webhookLabel->setBuddy(m_webhook);
    m_webhook->setAccessibleName(tr("Webhook URL"));
    form->addRow(webhookLabel, m_webhook);
    // Any change counts, not only typing: a screen reader may set the text as a whole.
    connect(m_webhook, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_settings.setWebhookAddress(text);
        m_testOK.reset();
        updateWebhookRow();
    });

    auto *row = new QHBoxLayout;
    m_sendTest = new QPushButton(box);
    m_sendTest->setObjectName(QStringLiteral("sendTest"));
    connect(m_sendTest, &QPushButton::clicked, this, [this] { sendTest(); });
    m_testIcon = new GlyphLabel(12, box);
    m_testResult = Style::plainLabel(QString(), box);
    m_testResult->setObjectName(QStringLiteral("testResult"));
    m_testResult->setFont(Style::font(m_testResult->font(), Style::Text::Footnote));
    row->addWidget(m_sendTest);
    row->addWidget(m_testIcon);
    row->addWidget(m_testResult);
    row->addStretch();
    form->addRow(row);
    outer->addWidget(box);
    outer->addWidget(footer(tr("POST a JSON alert (with Slack `text` and Discord `content` fields) to this URL on the "
                               "same up/down transitions. Works even if notifications are off; respects per-service "
                               "mute and the severity threshold."),
                            section));
    updateWebhookRow();
    return section;
}

QWidget *GeneralTab::buildRegionsSection()
{
    m_regionsSection = new QWidget(this);
    m_regionsSection->setObjectName(QStringLiteral("regionsSection"));
    auto *outer = new QVBoxLayout(m_regionsSection);
    outer->setContentsMargins(0, 0, 0, 0);
    QFrame *box = sectionBox(m_regionsSection);
    auto *inner = new QVBoxLayout(box);
    inner->setContentsMargins(2, 2, 2, 2);
    m_regionsButton = new ValueRowButton(tr("AWS Regions"), box);
    m_regionsButton->setObjectName(QStringLiteral("regionsButton"));
    connect(m_regionsButton, &QPushButton::clicked, this, &GeneralTab::showRegionPicker);
    inner->addWidget(m_regionsButton);
    outer->addWidget(box);
    outer->addWidget(footer(tr("Only count AWS incidents in the selected regions. Global services (Route 53, IAM, "
                               "CloudFront…) always count. Leave all unchecked to monitor every region."),
                            m_regionsSection));
    updateRegions();
    return m_regionsSection;
}

void GeneralTab::showRefreshInterval(std::chrono::milliseconds interval)
{
    // An interval set by hand to none of the choices selects none of them.
    const auto minutes = std::chrono::duration_cast<std::chrono::minutes>(interval);
    m_refresh->setCurrentIndex(minutes == interval ? m_refresh->findData(qlonglong(minutes.count())) : -1);
}

void GeneralTab::showMinimumSeverity()
{
    m_severity->setCurrentIndex(std::max(0, m_severity->findData(storedNumber(m_settings.notificationMinSeverity()))));
}

void GeneralTab::updateSeverityVisibility()
{
    const bool on = m_notify->isChecked();
    m_severityLabel->setVisible(on);
    m_severity->setVisible(on);
}

void GeneralTab::updateWebhookRow()
{
    m_sendTest->setText(m_testing ? tr("Sending…") : tr("Send test"));
    m_sendTest->setEnabled(!m_testing && m_settings.webhookURL().has_value());
    if (!m_testOK) {
        m_testIcon->hide();
        m_testResult->hide();
        m_testResult->clear();
        return;
    }
    if (*m_testOK) {
        m_testIcon->setGlyph([](const QPalette &palette, qreal ratio) {
            return renderGlyph(Glyph::Check, Style::stateMark(palette, Indicator::None), 12, ratio);
        });
        m_testResult->setText(tr("Delivered"));
    } else {
        m_testIcon->setGlyph([](const QPalette &palette, qreal ratio) {
            return renderGlyph(SettingsGlyph::ClearCircle, Style::stateMark(palette, Indicator::Critical), 12, ratio);
        });
        m_testResult->setText(tr("Failed — check the URL"));
    }
    m_testIcon->show();
    m_testResult->show();
}

QCoro::Task<> GeneralTab::sendTest()
{
    const std::optional<QUrl> url = m_settings.webhookURL();
    if (!url || m_testing)
        co_return;
    QPointer<GeneralTab> self(this);
    m_testing = true;
    m_testOK.reset();
    updateWebhookRow();
    bool delivered = false;
    // Nobody may await this task (the button starts it): nothing may escape it.
    try {
        QCoro::Task<bool> post = Webhook::sendTest(*url);
        delivered = co_await post;
    } catch (...) {
        delivered = false;
    }
    if (!self)
        co_return;
    m_testing = false;
    m_testOK = delivered;
    updateWebhookRow();
}

void GeneralTab::updateRegions()
{
    const QList<Service> &services = m_monitor.services();
    const bool aws = std::any_of(services.cbegin(), services.cend(), [](const Service &service) {
        return service.provider && providerInfo(*service.provider).readsRegions;
    });
    m_regionsSection->setVisible(aws);
    m_regionsButton->setValue(regionsSummary(m_settings.awsRegions().size()));
    if (!aws && m_picker)
        m_picker->hide();
}

void GeneralTab::showRegionPicker()
{
    if (!m_picker) {
        m_picker = new AWSRegionPicker(m_settings, this);
        m_picker->setObjectName(QStringLiteral("regionPicker"));
    }
    m_picker->popUp(*m_regionsButton, Qt::AlignRight);
}
