#include "ui/common/popover.h"
#include "ui/common/renderers.h"
#include "ui/common/statepalette.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QVBoxLayout>

#include <limits>

Q_DECLARE_METATYPE(Indicator)

namespace {

// The colour at a point in logical pixels, unpremultiplied.
QColor colorAt(const QImage &image, qreal x, qreal y)
{
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(int(x * ratio), int(y * ratio));
}

bool sameHue(const QColor &a, const QColor &b)
{
    return std::abs(a.red() - b.red()) <= 2 && std::abs(a.green() - b.green()) <= 2
           && std::abs(a.blue() - b.blue()) <= 2;
}

bool isTransparent(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).alpha() != 0)
                return false;
    return true;
}

} // namespace

class TestRenderers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The meter is drawn in the state's colour at any ratio, its bars rising; a troubled
    // state ramps from faint to full, a known one and an unknown one are fully lit.
    void meterColoursAndRamp_data()
    {
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("unknown") << Indicator::Unknown << 1.0;
        QTest::newRow("none") << Indicator::None << 1.0;
        QTest::newRow("critical @2x") << Indicator::Critical << 2.0;
    }

    void meterColoursAndRamp()
    {
        QFETCH(Indicator, indicator);
        QFETCH(qreal, ratio);
        const QImage image = renderMeter(indicator, ratio);
        QCOMPARE(image.size(), meterSize * ratio);
        QList<int> alphas;
        for (const qreal x : {3.0, 9.0, 15.0}) {
            const QColor bottom = colorAt(image, x, 14);
            QVERIFY2(sameHue(bottom, stateColorOnAny(indicator)), qPrintable(bottom.name()));
            alphas.append(bottom.alpha());
        }
        // taller bars to the right: the left one ends lower than the right one
        QCOMPARE(colorAt(image, 3.0, 2).alpha(), 0);
        QVERIFY(colorAt(image, 15.0, 2).alpha() > 0);
        if (indicator == Indicator::Critical)
            QVERIFY(alphas[0] < alphas[1] && alphas[1] < alphas[2]);
        else
            QVERIFY(alphas[0] == 255 && alphas[2] == 255);
    }

    void meterFailureGivesEmptyImage()
    {
        for (qreal ratio :
             {0.0, -1.0, std::numeric_limits<qreal>::quiet_NaN(), std::numeric_limits<qreal>::infinity(), 1e6}) {
            const QImage image = renderMeter(Indicator::Critical, ratio);
            QVERIFY(!image.isNull());
            QCOMPARE(image.size(), meterSize);
            QVERIFY(isTransparent(image));
        }
        const QImage unsized = renderMeter(Indicator::None, QSize(0, 22));
        QCOMPARE(unsized.size(), meterSize);
        QVERIFY(isTransparent(unsized));
    }

    // A glyph's image holds the whole drawing at the usual ratios: a filled unit square
    // covers side × ratio device pixels squared, in an image at most one pixel wider.
    void squareHoldsTheWholeDrawing_data()
    {
        QTest::addColumn<qreal>("side");
        QTest::addColumn<qreal>("ratio");
        for (const qreal ratio : {1.0, 1.25, 1.5, 2.0}) {
            for (const qreal side : {12.0, 13.0})
                QTest::addRow("%g @%gx", side, ratio) << side << ratio;
        }
    }

    void squareHoldsTheWholeDrawing()
    {
        QFETCH(qreal, side);
        QFETCH(qreal, ratio);
        const QImage image = renderSquare(side, ratio,
                                          [](QPainter &painter) { painter.fillRect(QRectF(0, 0, 1, 1), Qt::black); });
        const qreal extent = side * ratio;
        QCOMPARE(image.devicePixelRatio(), ratio);
        QCOMPARE(image.width(), image.height());
        QVERIFY2(image.width() >= extent && image.width() < extent + 1, qPrintable(QString::number(image.width())));
        qreal cover = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                cover += image.pixelColor(x, y).alphaF();
        QVERIFY2(std::abs(cover - extent * extent) < extent * 0.1, qPrintable(QString::number(cover)));
        QVERIFY(renderSquare(side, std::numeric_limits<qreal>::quiet_NaN(), [](QPainter &) {}).isNull());
        QVERIFY(renderSquare(0, ratio, [](QPainter &) {}).isNull());
    }

    // The newest sixteen samples, the newest at the right edge; a short history grows in
    // from the right; a stored value outside the five states is grey.
    void sparklineShowsTheNewestSixteenFromTheRight()
    {
        QList<Indicator> samples(24, Indicator::Critical);
        samples.append(QList<Indicator>(15, Indicator::None));
        samples.append(Indicator::Major); // newest
        const QColor window(Qt::white);
        const QImage image = renderSparkline(samples, window, 2.0);
        QCOMPARE(image.size(), sparklineSize * 2);
        QVERIFY(sameHue(colorAt(image, 1, 6), stateColor(Indicator::None, window)));
        QVERIFY(sameHue(colorAt(image, sparklineSize.width() - 1, 6), stateColor(Indicator::Major, window)));

        const QImage few = renderSparkline({Indicator::None, Indicator::Minor, static_cast<Indicator>(7)}, window, 1.0);
        QCOMPARE(colorAt(few, 1, 6).alpha(), 0);
        QVERIFY(sameHue(colorAt(few, sparklineSize.width() - 1, 6), stateColor(Indicator::Unknown, window)));
        QVERIFY(isTransparent(renderSparkline({}, window, 1.0)));
    }

    // The week strip draws like the sparkline, with a mark of its own for places without samples.
    void weekStripPlacesTheWeekFromTheRight()
    {
        const QColor empty(200, 100, 50, 200);
        QList<std::optional<Indicator>> week(weekStripSlots);
        week[0] = Indicator::Critical;
        week[weekStripSlots - 2] = Indicator::Unknown;
        week[weekStripSlots - 1] = Indicator::None;
        const QColor window(Qt::black);
        const QImage image = renderWeekStrip(week, empty, window, 2.0);
        QCOMPARE(image.size(), weekStripSize * 2);
        const int mid = weekStripSize.height() / 2;
        QVERIFY(sameHue(colorAt(image, 1, mid), stateColor(Indicator::Critical, window)));
        QVERIFY(sameHue(colorAt(image, 3 * 82 + 1, mid), stateColor(Indicator::Unknown, window)));
        QVERIFY(sameHue(colorAt(image, weekStripSize.width() - 1, mid), stateColor(Indicator::None, window)));
        const QColor unsampled = colorAt(image, 3 * 40 + 1, mid);
        QVERIFY2(sameHue(unsampled, empty) && std::abs(unsampled.alpha() - 200) <= 2, qPrintable(unsampled.name()));

        // a shorter list is the newest places; a longer one loses its oldest
        const QImage shorter = renderWeekStrip({Indicator::Major}, empty, window, 1.0);
        QVERIFY(sameHue(shorter.pixelColor(weekStripSize.width() - 2, mid), stateColor(Indicator::Major, window)));
        QCOMPARE(shorter.pixelColor(1, mid).alpha(), 0);
        QList<std::optional<Indicator>> longer(weekStripSlots + 5, Indicator::None);
        longer[4] = Indicator::Critical;
        longer[5] = Indicator::Minor;
        QVERIFY(sameHue(renderWeekStrip(longer, empty, window, 1.0).pixelColor(1, mid),
                        stateColor(Indicator::Minor, window)));
    }

    // Where a popover goes against what opened it: the panel against the tray icon or a click,
    // a picker against its button.
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

QTEST_MAIN(TestRenderers)
#include "tst_renderers.moc"
