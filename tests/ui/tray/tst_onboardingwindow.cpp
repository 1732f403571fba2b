// The first-run window as a screen reader meets it: every line and button one named element.
#include "ui/tray/onboardingwindow.h"

#include <QAccessible>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class TestOnboardingWindow : public QObject
{
    Q_OBJECT

    static QStringList names(QAccessibleInterface *node, QAccessible::Role role)
    {
        QStringList found;
        if (node->role() == role)
            found.append(node->text(QAccessible::Name));
        for (int i = 0; i < node->childCount(); ++i)
            found += names(node->child(i), role);
        return found;
    }

private Q_SLOTS:
    void everyLineIsNamedOnceAndFits()
    {
        OnboardingWindow window;
        window.showCentred();
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&window);
        QCOMPARE(root->text(QAccessible::Name), u"Welcome to Glinter"_s);
        QCOMPARE(names(root, QAccessible::Button), (QStringList{u"Not Now"_s, u"Choose Services"_s}));
        QCOMPARE(names(root, QAccessible::StaticText).count(u"Outage — a service is down."_s), 1);

        // fixed to its content, no legend line cut off
        QCOMPARE(window.minimumSize(), window.maximumSize());
        const QList<MeterLegendRow *> legend = window.findChildren<MeterLegendRow *>();
        QVERIFY(!legend.isEmpty());
        for (const MeterLegendRow *row : legend)
            QVERIFY(row->sizeHint().width() <= row->width());
    }
};

QTEST_MAIN(TestOnboardingWindow)
#include "tst_onboardingwindow.moc"
