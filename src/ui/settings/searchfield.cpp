#include "ui/settings/searchfield.h"

#include "ui/common/renderers.h"
#include "ui/common/style.h"
#include "ui/settings/settingsbuttons.h"
#include "ui/settings/settingsglyphs.h"

#include <QHBoxLayout>
#include <QLineEdit>

SearchField::SearchField(const QString &prompt, QWidget *parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_clear(new GlyphButton(this))
{
    auto *magnifier = new GlyphLabel(12, this);
    magnifier->setGlyph(settingsGlyph(SettingsGlyph::Magnifier, Style::secondary, 12));

    m_edit->setObjectName(QStringLiteral("query"));
    m_edit->setPlaceholderText(prompt);
    m_edit->setAccessibleName(prompt);
    m_edit->setFrame(false);
    m_edit->setClearButtonEnabled(false);
    m_edit->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_clear->setObjectName(QStringLiteral("clear"));
    m_clear->setGlyph(settingsGlyph(SettingsGlyph::ClearCircle, Style::tertiary, 12));
    m_clear->setAccessibleName(tr("Clear search"));
    m_clear->setToolTip(tr("Clear search"));
    m_clear->setFixedSize(18, 18);
    m_clear->hide();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(6);
    layout->addWidget(magnifier);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_clear);

    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_clear->setVisible(!text.isEmpty());
        Q_EMIT textChanged(text);
    });
    connect(m_clear, &QAbstractButton::clicked, this, [this] {
        m_edit->clear();
        m_edit->setFocus();
    });
}

QString SearchField::text() const
{
    return m_edit->text();
}

void SearchField::setText(const QString &text)
{
    m_edit->setText(text);
}

void SearchField::paintEvent(QPaintEvent *)
{
    paintTint(*this, palette().color(QPalette::WindowText), 0.06, 8);
}
