#include "ui/settings/awsregionpicker.h"

#include "core/settings.h"
#include "providers/aws/awsregions.h"
#include "ui/common/style.h"
#include "ui/settings/checkrow.h"
#include "ui/settings/settingsbuttons.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QLabel *groupTitle(const QString &text, QWidget *parent)
{
    QLabel *label = Style::secondaryLabel(parent, Style::Text::Footnote, QFont::DemiBold);
    label->setText(text);
    label->setContentsMargins(6, 8, 6, 2);
    return label;
}

} // namespace

AWSRegionPicker::AWSRegionPicker(Settings &settings, QWidget *parent)
    : Popover(parent)
    , m_settings(settings)
    , m_monitorAll(Style::tintedButton(tr("Monitor all"), this))
{
    setWindowTitle(tr("AWS Regions"));
    setAccessibleName(tr("AWS Regions"));
    setFixedSize(290, 400);
    setAutoFillBackground(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *headerRow = new QHBoxLayout;
    headerRow->setContentsMargins(12, 10, 12, 10);
    QLabel *title = Style::plainLabel(tr("AWS Regions"), this);
    QFont titleFont = title->font();
    titleFont.setWeight(QFont::DemiBold);
    title->setFont(titleFont);
    headerRow->addWidget(title);
    headerRow->addStretch();
    m_monitorAll->setObjectName(QStringLiteral("monitorAll"));
    connect(m_monitorAll, &QPushButton::clicked, this, &AWSRegionPicker::monitorAll);
    headerRow->addWidget(m_monitorAll);
    layout->addLayout(headerRow);

    layout->addWidget(Style::divider(this));

    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *content = new QWidget(scroll);
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(6, 0, 6, 8);
    column->setSpacing(0);
    for (const AWSRegions::Group &group : AWSRegions::groups()) {
        column->addWidget(
            groupTitle(QCoreApplication::translate("AWSRegions", group.title.toUtf8().constData()), content));
        for (const AWSRegions::Region &region : group.regions) {
            auto *row = new CheckRow(region.name, region.code, content);
            row->setObjectName(QStringLiteral("region"));
            row->setProperty("code", region.code);
            // toggled, not clicked: a screen reader's toggle action flips the row without
            // a click.
            connect(row, &CheckRow::toggled, this, [this, code = region.code](bool on) { setRegion(code, on); });
            column->addWidget(row);
            m_rows.insert(region.code, row);
        }
    }
    column->addStretch();
    scroll->setWidget(content);
    // The list lies on the picker's own background, not on the darker one of a viewport.
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    layout->addWidget(scroll);

    // Whoever changes the selection, the rows show it.
    connect(&m_settings, &Settings::awsRegionsChanged, this, &AWSRegionPicker::updateRows);
    updateRows();
}

void AWSRegionPicker::toggle(const QString &code)
{
    setRegion(code, !m_settings.awsRegions().contains(code));
}

void AWSRegionPicker::setRegion(const QString &code, bool on)
{
    QSet<QString> selected = m_settings.awsRegions();
    if (selected.contains(code) == on)
        return;
    if (on)
        selected.insert(code);
    else
        selected.remove(code);
    m_settings.setAwsRegions(selected);
}

void AWSRegionPicker::monitorAll()
{
    m_settings.setAwsRegions({});
}

void AWSRegionPicker::updateRows()
{
    const QSet<QString> selected = m_settings.awsRegions();
    for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it)
        it.value()->setChecked(selected.contains(it.key()));
    m_monitorAll->setEnabled(!selected.isEmpty());
}
