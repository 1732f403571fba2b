#include "ui/common/labelledcombobox.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

// What Qt's own combo box offers a reader (the list as its child, opening it, the state of
// the list), with the name and value apart. The current choice is also its text, read-only:
// that is where AT-SPI readers look for a combo box's value.
class LabelledComboBoxAccessible final
    : public QAccessibleWidget
    , public QAccessibleTextInterface
{
public:
    explicit LabelledComboBoxAccessible(QComboBox *box)
        : QAccessibleWidget(box, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return box()->currentText();
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        if (!box()->accessibleName().isEmpty())
            return box()->accessibleName();
        const QList<QLabel *> labels = box()->parentWidget() ? box()->parentWidget()->findChildren<QLabel *>()
                                                             : QList<QLabel *>();
        for (const QLabel *label : labels) {
            if (label->buddy() == box())
                return label->text().remove(u'&');
        }
        return box()->currentText();
    }

    int childCount() const override { return box()->view() ? 1 : 0; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 && box()->view() ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && box()->view() && child->object() == box()->view() ? 0 : -1;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = box()->view() && box()->view()->isVisible();
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (state().expanded)
            box()->hidePopup();
        else
            box()->showPopup();
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // the current choice as read-only text
    QString text(int startOffset, int endOffset) const override
    {
        return current().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(current().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    int selectionCount() const override { return 0; }
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }
    QString current() const { return box()->currentText(); }
};

QAccessibleInterface *labelledComboBoxAccessible(const QString &className, QObject *object)
{
    if (className == u"LabelledComboBox" && object && object->isWidgetType())
        return new LabelledComboBoxAccessible(static_cast<QComboBox *>(object));
    return nullptr;
}

} // namespace

LabelledComboBox::LabelledComboBox(QWidget *parent)
    : QComboBox(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(labelledComboBoxAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}
