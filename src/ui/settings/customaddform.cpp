#include "ui/settings/customaddform.h"

#include "core/webaddress.h"
#include "monitor/statusmonitor.h"
#include "providers/providertable.h"
#include "ui/common/labelledcombobox.h"
#include "ui/common/style.h"
#include "ui/settings/settingsbuttons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Spaces and tabs only: the platform's whitespace set without line breaks.
QString trimmedBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (begin < end && blank(text.at(begin)))
        ++begin;
    while (end > begin && blank(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

// Whether the text is an address of another kind than the web's (ftp://…, file:, mailto:),
// rather than a host with a port written without a scheme.
bool namesOtherScheme(const QString &text)
{
    const QUrl url(trimmedBlanks(text), QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (scheme.isEmpty() || scheme == u"http" || scheme == u"https")
        return false;
    return !url.host().isEmpty() || url.path().isEmpty() || !url.path().at(0).isDigit();
}

} // namespace

CustomAddForm::CustomAddForm(StatusMonitor &monitor, QWidget *parent)
    : QWidget(parent)
    , m_monitor(monitor)
    , m_check(checkOnce)
    , m_name(new QLineEdit(this))
    , m_address(new QLineEdit(this))
    , m_format(new LabelledComboBox(this))
    , m_add(new QPushButton(this))
    , m_message(Style::plainLabel(QString(), this))
{
    m_name->setObjectName(QStringLiteral("nameField"));
    m_address->setObjectName(QStringLiteral("addressField"));
    m_format->setObjectName(QStringLiteral("formatPicker"));
    m_add->setObjectName(QStringLiteral("addButton"));
    m_message->setObjectName(QStringLiteral("messageLine"));

    QLabel *title = Style::plainLabel(tr("Add a Custom Service"), this);
    title->setFont(Style::font(title->font(), Style::Text::Callout, QFont::DemiBold));

    m_name->setPlaceholderText(tr("Name"));
    m_name->setAccessibleName(tr("Name"));
    m_name->setFixedWidth(110);
    m_address->setAccessibleName(tr("Address"));
    for (const std::optional<ProviderKind> &kind : choices())
        m_format->addItem(kind ? displayName(*kind) : tr("Detect automatically"), kind ? int(*kind) : -1);
    // As wide as its longest choice, 140 at least: the formats' names and "Detect
    // automatically" are longer in some languages than in English.
    m_format->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_format->setMinimumWidth(140);
    // The row has no room for a label: screen readers hear the name, and readers that follow
    // labels find it in the label it is the buddy of, which is not shown
    QLabel *formatLabel = Style::plainLabel(tr("Feed format"), this);
    formatLabel->setBuddy(m_format);
    formatLabel->hide();
    m_format->setAccessibleName(tr("Feed format"));

    m_message->setFont(Style::font(m_message->font(), Style::Text::Footnote));
    m_message->setWordWrap(true);

    // The name and the address on one line, the format and the button on the next: the
    // address keeps room for a URL whatever the length of the format's and the button's words.
    auto *fields = new QHBoxLayout;
    fields->setSpacing(6);
    fields->addWidget(m_name);
    fields->addWidget(m_address, 1);
    auto *actions = new QHBoxLayout;
    actions->setSpacing(6);
    actions->addWidget(m_format);
    actions->addStretch(1);
    actions->addWidget(m_add);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(title);
    layout->addLayout(fields);
    layout->addLayout(actions);
    layout->addWidget(m_message);

    const auto edited = [this] {
        m_notice.reset();
        updateControls();
    };
    connect(m_name, &QLineEdit::textChanged, this, edited);
    connect(m_address, &QLineEdit::textChanged, this, edited);
    connect(m_format, &QComboBox::currentIndexChanged, this, edited);
    connect(m_add, &QPushButton::clicked, this, &CustomAddForm::runAdd);
    connect(m_address, &QLineEdit::returnPressed, this, [this] {
        if (m_add->isEnabled())
            runAdd();
    });
    updateControls();
}

QList<std::optional<ProviderKind>> CustomAddForm::choices()
{
    QList<std::optional<ProviderKind>> kinds;
    for (const ProviderInfo &provider : providerTable()) {
        if (provider.offeredInForm)
            kinds.append(provider.kind);
    }
    kinds.append(std::nullopt);
    return kinds;
}

std::optional<QUrl> CustomAddForm::resolveAddress(const QString &typed)
{
    const QString text = trimmedBlanks(typed);
    QUrl url(text, QUrl::StrictMode);
    if (text.isEmpty() || !url.isValid())
        return std::nullopt;
    if (url.scheme().isEmpty() || url.host().isEmpty()) {
        // Read as typed without a scheme; "host:port" also parses as a scheme and a path.
        if (!url.scheme().isEmpty() && (url.path().isEmpty() || !url.path().at(0).isDigit()))
            return std::nullopt;
        url = QUrl(QStringLiteral("https://") + text, QUrl::StrictMode);
    }
    // Only web addresses can be read or probed; anything else would never be reachable.
    if (!isWebAddress(url))
        return std::nullopt;
    return url;
}

std::optional<ProviderKind> CustomAddForm::chosenKind() const
{
    const int raw = m_format->currentData().toInt();
    if (raw < 0)
        return std::nullopt;
    return ProviderKind(raw);
}

void CustomAddForm::updateControls()
{
    const std::optional<ProviderKind> chosen = chosenKind();
    const bool website = chosen && providerInfo(*chosen).probesSite;
    m_address->setPlaceholderText(website ? tr("https://example.com or your server URL") : tr("Status page URL"));
    // The name follows the text, so that a screen reader announces the check while it runs.
    const QString action = m_validating ? tr("Checking…") : tr("Add");
    m_add->setText(action);
    m_add->setAccessibleName(action);
    m_add->setEnabled(!m_name->text().isEmpty() && !m_address->text().isEmpty() && !m_validating);

    if (m_error)
        m_message->setText(*m_error);
    else if (m_notice)
        m_message->setText(*m_notice);
    else
        m_message->setText(website ? tr("Pings any site or server over HTTP — reports online/offline with latency.")
                                   : tr("Paste a public status page; Glinter reads its live feed."));
    Style::setTone(*m_message, m_error ? Style::Tone::Error : Style::Tone::Secondary);
}

void CustomAddForm::setValidating(bool validating)
{
    m_validating = validating;
    updateControls();
}

void CustomAddForm::showError(const QString &error)
{
    m_error = error;
    updateControls();
}

void CustomAddForm::runAdd()
{
    // Nobody awaits this task: it must not let anything escape.
    [](QPointer<CustomAddForm> form) -> QCoro::Task<> {
        try {
            QCoro::Task<> adding = form->add();
            co_await adding;
        } catch (...) {
            if (form) {
                form->setValidating(false);
                form->showError(tr("Invalid URL"));
            }
        }
    }(this);
}

void CustomAddForm::startOver()
{
    ++m_generation;
    m_name->clear();
    m_address->clear();
    m_format->setCurrentIndex(0);
    m_error.reset();
    m_notice.reset();
    m_validating = false;
    updateControls();
}

QCoro::Task<> CustomAddForm::add()
{
    QPointer<CustomAddForm> self(this);
    const quint64 generation = m_generation;
    const QString pressedName = m_name->text();
    m_error.reset();
    m_notice.reset();
    updateControls();
    const std::optional<QUrl> url = resolveAddress(m_address->text());
    if (!url) {
        showError(namesOtherScheme(m_address->text()) ? tr("Only http:// and https:// addresses can be watched")
                                                      : tr("Invalid URL"));
        Q_EMIT finished();
        co_return;
    }
    const std::optional<ProviderKind> chosen = chosenKind();
    if (chosen && providerInfo(*chosen).probesSite) {
        addService(*url, *chosen);
        Q_EMIT finished();
        co_return;
    }

    setValidating(true);
    const QList<ProviderKind> kinds = chosen ? QList<ProviderKind>{*chosen} : detectableKinds();
    QCoro::Task<Detection> detecting = detectProvider(*url, pressedName, kinds, m_check);
    const Detection detection = co_await detecting;
    if (!self)
        co_return;
    // Once the form was started over, the press still counts but the old form's messages do
    // not.
    const bool stale = generation != m_generation;
    if (detection.kind && stale) {
        m_monitor.add(Service{QUuid::createUuid(), trimmedBlanks(pressedName), *url, *detection.kind, std::nullopt});
    } else if (detection.kind) {
        setValidating(false);
        addService(*url, *detection.kind);
        if (!chosen) {
            m_notice = QCoreApplication::translate("Providers", providerInfo(*detection.kind).addedAs);
            updateControls();
        }
    }
    if (detection.kind || stale) {
        Q_EMIT finished();
        co_return;
    }
    setValidating(false);
    QStringList reasons;
    for (const auto &[kind, description] : detection.failures)
        reasons.append(chosen ? description : tr("%1: %2").arg(displayName(kind), description));
    // "a Statuspage.io feed", or with detection "a Statuspage.io, Instatus or Status.io feed"
    QString formats = displayName(kinds.constLast());
    for (qsizetype i = kinds.size() - 2; i >= 0; --i)
        formats = (i == kinds.size() - 2 ? tr("%1 or %2") : tr("%1, %2")).arg(displayName(kinds.at(i)), formats);
    showError(tr("Couldn't read a %1 feed there (%2)").arg(formats, reasons.join(QStringLiteral("; "))));
    Q_EMIT finished();
}

void CustomAddForm::addService(const QUrl &url, ProviderKind kind)
{
    const Service service{QUuid::createUuid(), trimmedBlanks(m_name->text()), url, kind, std::nullopt};
    m_name->clear();
    m_address->clear();
    m_format->setCurrentIndex(0);
    m_error.reset();
    updateControls();
    m_monitor.add(service);
}
