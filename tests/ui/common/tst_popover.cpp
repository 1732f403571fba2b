#include "ui/common/popover.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

// Where a popover goes against what opened it: the panel against the tray icon or a click,
// a picker against its button.
class TestPopover : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placement_data()
    {
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QRect>("expected");
        const QSize panel(360, 300);
        const int centred = Qt::AlignHCenter;
        // a 1280 × 800 screen whose top 24 pixels are a panel
        QTest::newRow("below an icon at the top right")
            << QRect(1240, 0, 24, 24) << centred << QRect(QPoint(920, 28), panel);
        QTest::newRow("above an icon at the bottom left")
            << QRect(10, 776, 24, 24) << centred << QRect(QPoint(0, 472), panel);
        QTest::newRow("at the cursor") << QRect(640, 300, 1, 1) << centred << QRect(QPoint(460, 305), panel);
        QTest::newRow("cursor low on the screen") << QRect(640, 790, 1, 1) << centred << QRect(QPoint(460, 486), panel);
        // a picker under its button in a window, its right edge on the button's
        QTest::newRow("right edges together")
            << QRect(700, 400, 200, 30) << int(Qt::AlignRight) << QRect(QPoint(540, 434), panel);
        QTest::newRow("above when no room below")
            << QRect(700, 520, 200, 30) << int(Qt::AlignRight) << QRect(QPoint(540, 216), panel);
    }

    void placement()
    {
        QFETCH(QRect, anchor);
        QFETCH(int, alignment);
        const QRect available(0, 24, 1280, 776);
        const QRect placed = placePopover(QSize(360, 300), anchor, available, Qt::Alignment(alignment));
        QFETCH(QRect, expected);
        QCOMPARE(placed, expected);
        QVERIFY(available.contains(placed));
    }

    // A popover opened from another: the panel stays while its row's details have the
    // focus, Escape hands the keyboard back to it, and focus going elsewhere closes both.
    void popoverOpenedFromAnother()
    {
        Popover panel;
        auto *column = new QVBoxLayout(&panel);
        auto *opener = new QLineEdit(&panel);
        column->addWidget(opener);
        column->addWidget(new QLineEdit(&panel));
        panel.popUp(QRect(100, 0, 24, 24));
        QVERIFY(QTest::qWaitForWindowActive(&panel));
        opener->setFocus();

        auto *details = new Popover(&panel);
        (new QVBoxLayout(details))->addWidget(new QLineEdit(details));
        // (a window opened from another counts as active with it: qWaitForWindowActive
        // would not wait)
        details->popUp(*opener);
        QTRY_COMPARE(QApplication::activeWindow(), details);
        QVERIFY(panel.isVisible());

        QTest::keyClick(details, Qt::Key_Escape);
        QVERIFY(!details->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), &panel);
        QVERIFY(panel.isVisible());
        QCOMPARE(QApplication::focusWidget(), opener);

        details->popUp(*opener);
        QTRY_COMPARE(QApplication::activeWindow(), details);
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QTRY_VERIFY(!details->isVisible());
        QVERIFY(!panel.isVisible());
    }
};

QTEST_MAIN(TestPopover)
#include "tst_popover.moc"
