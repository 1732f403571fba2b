// The first-run window as a screen reader meets it: every line and button one named element.
#include "ui/menubar/onboardingwindow.h"

#include <QAccessible>
#include <QPushButton>
#include <QTest>

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
    void everyLineIsNamedOnce()
    {
        OnboardingWindow window;
        window.showCentred();
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&window);
        QCOMPARE(root->text(QAccessible::Name), QStringLiteral("Welcome to Glinter"));
        QCOMPARE(names(root, QAccessible::Button), (QStringList{QStringLiteral("Not Now"), QStringLiteral("Choose Services")}));
        const QStringList lines = names(root, QAccessible::StaticText);
        for (const QString &legend : {QStringLiteral("Healthy \u2014 everything is operational."),
                                      QStringLiteral("Degraded \u2014 minor issues or maintenance."),
                                      QStringLiteral("Outage \u2014 a service is down."),
                                      QStringLiteral("Unreachable \u2014 Glinter can\u2019t reach the feed.")})
            QCOMPARE(lines.count(legend), 1);
    }

    void sizedToItsContentAndCentred()
    {
        OnboardingWindow window;
        window.showCentred();
        // 380 of content between insets of 28.
        QCOMPARE(window.width(), 380 + 2 * 28);
        QCOMPARE(window.minimumSize(), window.maximumSize());
        for (MeterLegendRow *row : window.legendRows())
            QVERIFY(row->sizeHint().width() <= row->width());
        const QRect available = window.screen()->availableGeometry();
        QVERIFY(qAbs(window.frameGeometry().center().x() - available.center().x()) <= 1);
        QVERIFY(qAbs(window.frameGeometry().center().y() - available.center().y()) <= 1);
    }
};

QTEST_MAIN(TestOnboardingWindow)
#include "tst_onboardingwindow.moc"
