#include "ui/common/renderers.h"
#include "ui/common/statepalette.h"

#include <QTest>

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
    void meterColoursAndRamp_data()
    {
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QList<double>>("opacities");
        QTest::newRow("unknown") << Indicator::Unknown << 1.0 << QList<double>{0.45, 0.45, 0.45};
        QTest::newRow("none") << Indicator::None << 1.0 << QList<double>{1.0, 1.0, 1.0};
        QTest::newRow("minor") << Indicator::Minor << 1.0 << QList<double>{0.5, 1.0, 1.0};
        QTest::newRow("critical @2x") << Indicator::Critical << 2.0 << QList<double>{0.4, 0.7, 1.0};
    }

    void meterColoursAndRamp()
    {
        QFETCH(Indicator, indicator);
        QFETCH(qreal, ratio);
        QFETCH(QList<double>, opacities);
        const QImage image = renderMeter(indicator, ratio);
        QCOMPARE(image.size(), meterSize * ratio);
        QCOMPARE(image.devicePixelRatio(), ratio);
        // bars of 3.5 with gaps of 2.5, centred in 18: they start at 1.25, 7.25 and 13.25
        const QList<qreal> centres{3.0, 9.0, 15.0};
        const QList<qreal> heights{7, 11, 15};
        for (int bar = 0; bar < 3; ++bar) {
            const QColor middle = colorAt(image, centres[bar], 16 - heights[bar] / 2);
            QVERIFY2(sameHue(middle, stateColor(indicator)), qPrintable(middle.name()));
            QVERIFY2(std::abs(middle.alphaF() - opacities[bar]) < 0.02, qPrintable(QString::number(middle.alphaF())));
            // bottom-aligned: nothing above the bar's top, something at the bottom edge
            QCOMPARE(colorAt(image, centres[bar], 16 - heights[bar] - 0.6).alpha(), 0);
            QVERIFY(colorAt(image, centres[bar], 15.6).alpha() > 0);
        }
        // gaps stay clear
        QCOMPARE(colorAt(image, 6.0, 14).alpha(), 0);
        QCOMPARE(colorAt(image, 12.0, 14).alpha(), 0);
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

    void sparklineShowsTheNewestSixteenFromTheRight()
    {
        QList<Indicator> samples(24, Indicator::Critical);
        samples.append(QList<Indicator>(15, Indicator::None));
        samples.append(Indicator::Major); // newest
        const QImage image = renderSparkline(samples, 2.0);
        QCOMPARE(image.size(), sparklineSize * 2);
        // bar i of 16 covers [3i, 3i + 2]; the gaps between stay clear
        for (int bar = 0; bar < 16; ++bar) {
            const QColor color = colorAt(image, 3 * bar + 1, 6);
            const Indicator expected = bar == 15 ? Indicator::Major : Indicator::None;
            QVERIFY2(sameHue(color, stateColor(expected)), qPrintable(QString::number(bar)));
            QVERIFY(std::abs(color.alphaF() - 0.7) < 0.02);
            if (bar < 15)
                QCOMPARE(colorAt(image, 3 * bar + 2.5, 6).alpha(), 0);
        }

        // fewer samples fill the places at the right
        const QImage few = renderSparkline({Indicator::None, Indicator::Minor, static_cast<Indicator>(7)}, 1.0);
        for (int x = 0; x < 39; ++x)
            QCOMPARE(few.pixelColor(x, 6).alpha(), 0);
        QVERIFY(sameHue(few.pixelColor(40, 6), stateColor(Indicator::None)));
        QVERIFY(sameHue(few.pixelColor(43, 6), stateColor(Indicator::Minor)));
        // a stored value outside the five states is drawn grey
        QVERIFY(sameHue(few.pixelColor(46, 6), stateColor(Indicator::Unknown)));
        // all bars are full height
        QVERIFY(few.pixelColor(46, 0).alpha() > 0 || few.pixelColor(46, 1).alpha() > 0);
        QVERIFY(few.pixelColor(46, 11).alpha() > 0 || few.pixelColor(46, 10).alpha() > 0);
        QVERIFY(isTransparent(renderSparkline({}, 1.0)));
    }

    // The week strip draws like the sparkline, with a mark of its own for places without samples.
    void weekStripPlacesTheWeekFromTheRight()
    {
        const QColor empty(200, 100, 50, 200);
        QList<std::optional<Indicator>> week(weekStripSlots);
        week[0] = Indicator::Critical;
        week[weekStripSlots - 2] = Indicator::Unknown;
        week[weekStripSlots - 1] = Indicator::None;
        const QImage image = renderWeekStrip(week, empty, 2.0);
        QCOMPARE(image.size(), weekStripSize * 2);
        QCOMPARE(weekStripSize.width(), int(weekStripSlots) * 3 - 1);
        const int mid = weekStripSize.height() / 2;
        const QColor oldest = colorAt(image, 1, mid);
        QVERIFY(sameHue(oldest, stateColor(Indicator::Critical)));
        QVERIFY(std::abs(oldest.alphaF() - 0.7) < 0.02);
        QVERIFY(sameHue(colorAt(image, 3 * 82 + 1, mid), stateColor(Indicator::Unknown)));
        QVERIFY(sameHue(colorAt(image, 3 * 83 + 1, mid), stateColor(Indicator::None)));
        const QColor unsampled = colorAt(image, 3 * 40 + 1, mid);
        QVERIFY2(sameHue(unsampled, empty) && std::abs(unsampled.alpha() - 200) <= 2, qPrintable(unsampled.name()));
        QCOMPARE(colorAt(image, 3 * 40 + 2.5, mid).alpha(), 0);

        // a shorter list is the newest places; a longer one loses its oldest
        const QImage shorter = renderWeekStrip({Indicator::Major}, empty, 1.0);
        QVERIFY(sameHue(shorter.pixelColor(weekStripSize.width() - 2, mid), stateColor(Indicator::Major)));
        QCOMPARE(shorter.pixelColor(1, mid).alpha(), 0);
        QList<std::optional<Indicator>> longer(weekStripSlots + 5, Indicator::None);
        longer[4] = Indicator::Critical;
        longer[5] = Indicator::Minor;
        QVERIFY(sameHue(renderWeekStrip(longer, empty, 1.0).pixelColor(1, mid), stateColor(Indicator::Minor)));
    }
};

QTEST_MAIN(TestRenderers)
#include "tst_renderers.moc"
