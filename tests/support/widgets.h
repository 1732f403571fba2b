#pragma once

// Tests reach a window's parts the way they were named where the window is built
// (setObjectName), so that no class keeps accessors only for its tests. A name that finds
// nothing, or more than one part, is a broken test and stops it at once, saying which name.

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QObject>
#include <QTest>
#include <QVariant>
#include <QWidget>

namespace WidgetLookup {

template<class T>
T *only(const QList<T *> &found, const QObject &root, const char *name, const char *detail = "")
{
    if (found.size() != 1)
        qFatal("%lld %s named \"%s\"%s under a %s, expected one", qlonglong(found.size()),
               T::staticMetaObject.className(), name, detail, root.metaObject()->className());
    return found.first();
}

} // namespace WidgetLookup

// The one part of `root` of type T named `name`.
template<class T>
T *child(const QObject &root, const char *name)
{
    return WidgetLookup::only(root.findChildren<T *>(QString::fromLatin1(name)), root, name);
}

// The one part named `name` whose `property` is `value`: a row, found by what it stands for.
template<class T>
T *child(const QObject &root, const char *name, const char *property, const QVariant &value)
{
    QList<T *> found = root.findChildren<T *>(QString::fromLatin1(name));
    found.removeIf([&](const T *part) { return part->property(property) != value; });
    const QByteArray detail = " with " + QByteArray(property) + " " + value.toString().toUtf8();
    return WidgetLookup::only(found, root, name, detail.constData());
}

// The parts of type T that are not hidden themselves (whether or not `root` is on screen),
// in the order they were made: a pool of rows refilled in place, as far as it is shown.
template<class T>
QList<T *> shownChildren(const QObject &root, const char *name = nullptr)
{
    QList<T *> found = root.findChildren<T *>(name ? QString::fromLatin1(name) : QString());
    found.removeIf([](const T *part) { return part->isHidden(); });
    return found;
}

// The top-level widgets of type T, windows without a parent (in no particular order).
template<class T>
QList<T *> topLevels()
{
    QList<T *> found;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<T *>(widget))
            found.append(window);
    }
    return found;
}

// The one top-level widget of type T, or none; two of them are a broken test.
template<class T>
T *topLevel()
{
    const QList<T *> found = topLevels<T>();
    if (found.size() > 1)
        qFatal("%lld top-level %s, expected one at most", qlonglong(found.size()), T::staticMetaObject.className());
    return found.value(0);
}

// Whatever `root` shows: every label plain text (names, feed texts and errors reach most of
// them), no tooltip with raw markup, and no escaped markup read out by a screen reader (which
// falls back on the tooltip).
inline void verifyNoMarkupRendered(const QWidget &root)
{
    QList<const QWidget *> widgets{&root};
    for (const QWidget *child : root.findChildren<QWidget *>())
        widgets.append(child);
    for (const QWidget *widget : widgets) {
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->text()));
        QVERIFY2(!widget->toolTip().contains(u'<'), qPrintable(widget->toolTip()));
        if (QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(const_cast<QWidget *>(widget))) {
            const QString spoken = accessible->text(QAccessible::Description) + accessible->text(QAccessible::Name);
            QVERIFY2(!spoken.contains(QStringLiteral("&lt;")) && !spoken.contains(QStringLiteral("&amp;")),
                     qPrintable(spoken));
        }
    }
}
