#pragma once

#include "core/indicator.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPushButton>

class QFrame;
class QPalette;
class QWidget;

// How Glinter's windows look, in one place: text sizes relative to the user's font, the
// secondary, error and accent colours taken from the palette of the moment (so that light,
// dark and high-contrast themes work, and a theme switch reaches everything) and brought to
// a readable contrast against the window (4.5:1 for text, 3:1 for marks and outlines;
// see contrast.h), and the small widgets every window uses. Text from files, feeds and
// servers is always plain text.
namespace Style {

// Sizes of text, relative to the application font: a user who chose larger type gets
// larger text everywhere.
enum class Text {
    Caption, // ages, hosts under names
    Footnote, // descriptions, small buttons, notes under a section
    Callout, // introductions, legends
    Body, // names
    Headline, // the panel's overall state
    Title, // a window's greeting
};

QFont font(const QFont &base, Text size, QFont::Weight weight = QFont::Normal);

// The one secondary text colour: the window's text faded towards the window, as far as
// text stays readable.
QColor secondary(const QPalette &palette);
// Fainter still, for marks rather than text: drag handles, the clear button of a search,
// a switch that is off.
QColor tertiary(const QPalette &palette);
// The one colour of errors, a red that reads on light and dark windows.
QColor error(const QPalette &palette);
// The palette's accent (its highlight) as text on the window: links and tinted buttons.
QColor accentText(const QPalette &palette);
// The accent as a mark on the window: ticks, a switch that is on.
QColor accentMark(const QPalette &palette);
// A state's colour as a mark on the window.
QColor stateMark(const QPalette &palette, Indicator indicator);

// A label that shows its text as written, never as markup.
QLabel *plainLabel(const QString &text, QWidget *parent);
// A plain-text label in the secondary colour, which follows the palette.
QLabel *secondaryLabel(QWidget *parent, Text size, QFont::Weight weight = QFont::Normal);
// The colour a label's text is shown in; the secondary and error colours follow the
// label's palette as it changes.
enum class Tone { Primary, Secondary, Error };
void setTone(QLabel &label, Tone tone);
// A small flat button in the accent colour while usable; disabled, it keeps the style's
// dimmed text.
QPushButton *tintedButton(const QString &text, QWidget *parent);
// Shows `text` as the widget's tooltip, never as markup (tooltips take rich text), and
// gives screen readers, who would read the escaped tooltip, the text itself.
void setPlainToolTip(QWidget &widget, const QString &text);
// A sunken horizontal line between the parts of a page or popover.
QFrame *divider(QWidget *parent);

} // namespace Style

// A small flat button whose text is in the accent colour while usable (disabled, it keeps
// the style's dimmed text), following the palette as it changes.
class TintedButton : public QPushButton
{
    Q_OBJECT

public:
    explicit TintedButton(const QString &text, QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;

private:
    void tint();

    bool m_tinting = false;
};

// A one-line plain-text label that elides its end instead of widening its row: a long
// name must not push the row's buttons out of sight. The whole text stays its text (and
// what a screen reader reads).
class ElidedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
