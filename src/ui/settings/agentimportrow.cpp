#include "ui/settings/agentimportrow.h"

#include "catalog/agentprompt.h"
#include "monitor/statusmonitor.h"
#include "ui/common/style.h"
#include "ui/settings/settingsbuttons.h"
#include "ui/settings/settingsglyphs.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

using namespace std::chrono_literals;

namespace {

// Two overlapping sheets ("copy") or a check mark ("copied"), in the button's text colour.
QIcon copyIcon(bool copied)
{
    return paintedIcon(QPalette::ButtonText, [copied](QPainter &painter, const QColor &colour) {
        painter.setPen(QPen(colour, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        if (copied) {
            painter.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
        } else {
            painter.drawRoundedRect(QRectF(5.5, 2, 8, 10), 1.5, 1.5);
            painter.drawPolyline(
                QPolygonF({QPointF(3.5, 5), QPointF(2.5, 5), QPointF(2.5, 14), QPointF(10, 14), QPointF(10, 13)}));
        }
    });
}

} // namespace

AgentImportRow::AgentImportRow(StatusMonitor &monitor, QWidget *parent)
    : QWidget(parent)
    , m_monitor(monitor)
    , m_copy(new QPushButton(this))
    , m_edit(new QPushButton(tr("Edit services.json"), this))
    , m_openFile([](const QUrl &file) { QDesktopServices::openUrl(file); })
{
    auto *layout = new QVBoxLayout(this);
    QLabel *title = Style::plainLabel(tr("Add from a Codebase"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);

    QLabel *explanation = Style::plainLabel(
        tr("Paste the prompt into Claude Code, Cursor, or any coding agent opened in a "
           "project — it finds the services the code depends on, plus your own production "
           "URLs, and adds them here. The config is plain JSON; edits apply instantly."),
        this);
    explanation->setWordWrap(true);
    Style::setTone(*explanation, Style::Tone::Secondary);
    layout->addWidget(explanation);

    m_copy->setObjectName(QStringLiteral("copyPrompt"));
    m_edit->setObjectName(QStringLiteral("editConfig"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_copy);
    buttons->addWidget(m_edit);
    buttons->addStretch();
    layout->addLayout(buttons);

    m_copiedReset.setSingleShot(true);
    m_copiedReset.setInterval(2s);
    connect(&m_copiedReset, &QTimer::timeout, this, [this] { setCopied(false); });
    connect(m_copy, &QPushButton::clicked, this, &AgentImportRow::copyPrompt);
    connect(m_edit, &QPushButton::clicked, this, &AgentImportRow::openConfig);
    setCopied(false);
}

void AgentImportRow::saveFileIfMissing()
{
    const ServiceStore &store = m_monitor.store();
    if (!QFileInfo::exists(store.filePath()))
        store.save(m_monitor.services());
}

void AgentImportRow::copyPrompt()
{
    saveFileIfMissing();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(AgentPrompt::text(m_monitor.store().filePath()));
    setCopied(true);
    // Each copy shows "Copied" for the full two seconds: the timer starts over rather
    // than an earlier copy's reset cutting the later one short.
    m_copiedReset.start();
}

void AgentImportRow::openConfig()
{
    saveFileIfMissing();
    // The one local file Glinter ever opens, and only this one.
    m_openFile(QUrl::fromLocalFile(m_monitor.store().filePath()));
}

void AgentImportRow::setCopied(bool copied)
{
    m_copy->setText(copied ? tr("Copied") : tr("Copy AI Prompt"));
    m_copy->setIcon(copyIcon(copied));
}
