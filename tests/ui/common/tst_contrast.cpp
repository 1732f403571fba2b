#include "ui/common/contrast.h"
#include "ui/common/renderers.h"
#include "ui/common/statepalette.h"
#include "ui/common/style.h"

#include "contrastcheck.h"

#include <QApplication>
#include <QTest>

Q_DECLARE_METATYPE(Indicator)

using namespace Qt::StringLiterals;

namespace {

using Pick = QColor (*)(const QPalette &);

const QList<Indicator> &allStates()
{
    static const QList<Indicator> states{Indicator::None, Indicator::Minor, Indicator::Major, Indicator::Critical,
                                         Indicator::Unknown};
    return states;
}

QString stateName(Indicator indicator)
{
    return indicatorName(indicator);
}

// The weakest contrast among the image's most opaque pixels (a drawing's solid parts, not
// its antialiased edges), each as shown over `background`; the image must not be empty.
double weakestSolid(const QImage &image, const QColor &background)
{
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            opaque = std::max(opaque, image.pixelColor(x, y).alpha());
    if (opaque == 0)
        return 0;
    double weakest = 21;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == opaque)
                weakest = std::min(weakest, ContrastCheck::ratio(pixel, background));
        }
    }
    return weakest;
}

} // namespace

Q_DECLARE_METATYPE(Pick)

// Text at 4.5:1 and marks at 3:1 against what lies behind them, in a light and a dark theme,
// and the tray meter on a black and on a white top bar.
class TestContrast : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A colour that reads already is left alone; one that does not moves only as far as it
    // must (not to black or white), whichever way the background asks.
    void readableMovesAsLittleAsItMust_data()
    {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<double>("minimum");
        QTest::newRow("yellow on white") << QColor(0xe8, 0xb1, 0x00) << QColor(Qt::white) << ContrastCheck::mark;
        QTest::newRow("blue on dark grey")
            << QColor(0x15, 0x53, 0x9e) << QColor(0x35, 0x35, 0x35) << ContrastCheck::text;
        QTest::newRow("grey on mid grey")
            << QColor(0x80, 0x80, 0x80) << QColor(0x77, 0x77, 0x77) << ContrastCheck::text;
        QTest::newRow("half black on white") << QColor(0, 0, 0, 0x50) << QColor(Qt::white) << ContrastCheck::text;
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << ContrastCheck::text;
        QTest::newRow("white on black, most") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
    }

    void readableMovesAsLittleAsItMust()
    {
        QFETCH(QColor, colour);
        QFETCH(QColor, background);
        QFETCH(double, minimum);
        const QColor made = Contrast::readable(colour, background, minimum);
        const double reached = ContrastCheck::ratio(made, background);
        QVERIFY2(reached >= minimum, qPrintable(made.name() + u' ' + QString::number(reached)));
        QCOMPARE(made.alpha(), 255);
        const double before = ContrastCheck::ratio(colour, background);
        if (before >= minimum)
            QCOMPARE(made.name(), ContrastCheck::shownOver(colour, background).name());
        else
            QVERIFY2(reached < minimum + 0.15, qPrintable(made.name() + u' ' + QString::number(reached)));
    }

    // Every colour the windows draw text or marks in, from the functions they call, against
    // the window of each theme.
    void coloursReadInEveryTheme_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<Pick>("pick");
        QTest::addColumn<double>("minimum");
        const QList<std::pair<const char *, QPalette>> themes{{"light", ContrastCheck::lightPalette()},
                                                              {"dark", ContrastCheck::darkPalette()},
                                                              {"deep accent", ContrastCheck::deepAccentPalette()}};
        const QList<std::tuple<const char *, Pick, double>> colours{
            {"secondary text", &Style::secondary, ContrastCheck::text},
            {"error text", &Style::error, ContrastCheck::text},
            {"link text", &Style::accentText, ContrastCheck::text},
            {"faint mark", &Style::tertiary, ContrastCheck::mark},
            {"accent mark", &Style::accentMark, ContrastCheck::mark},
            {"operational", [](const QPalette &p) { return Style::stateMark(p, Indicator::None); },
             ContrastCheck::mark},
            {"minor", [](const QPalette &p) { return Style::stateMark(p, Indicator::Minor); }, ContrastCheck::mark},
            {"major", [](const QPalette &p) { return Style::stateMark(p, Indicator::Major); }, ContrastCheck::mark},
            {"critical", [](const QPalette &p) { return Style::stateMark(p, Indicator::Critical); },
             ContrastCheck::mark},
            {"unknown", [](const QPalette &p) { return Style::stateMark(p, Indicator::Unknown); }, ContrastCheck::mark},
        };
        for (const auto &[theme, palette] : themes) {
            for (const auto &[name, pick, minimum] : colours)
                QTest::addRow("%s: %s", theme, name) << palette << pick << minimum;
        }
    }

    void coloursReadInEveryTheme()
    {
        QFETCH(QPalette, palette);
        QFETCH(Pick, pick);
        QFETCH(double, minimum);
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setCurrentColorGroup(group);
            const QColor window = palette.color(QPalette::Window);
            const QColor colour = pick(palette);
            const double reached = ContrastCheck::ratio(colour, window);
            QVERIFY2(reached >= minimum, qPrintable(colour.name(QColor::HexArgb) + u" on "_s + window.name() + u": "_s
                                                    + QString::number(reached, 'f', 2)));
        }
    }

    // The sparkline's and the week strip's bars stand out from the window of each theme.
    void barsReadInEveryTheme_data()
    {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<Indicator>("indicator");
        for (const auto &[theme, palette] : QList<std::pair<const char *, QPalette>>{
                 {"light", ContrastCheck::lightPalette()}, {"dark", ContrastCheck::darkPalette()}}) {
            for (const Indicator indicator : allStates())
                QTest::addRow("%s: %s", theme, qPrintable(stateName(indicator))) << palette << indicator;
        }
    }

    void barsReadInEveryTheme()
    {
        QFETCH(QPalette, palette);
        QFETCH(Indicator, indicator);
        const QColor window = palette.color(QPalette::Window);
        const QImage sparkline = renderSparkline(QList<Indicator>(sparklineBars, indicator), window, 2.0);
        QVERIFY(weakestSolid(sparkline, window) >= ContrastCheck::mark);
        const QImage week = renderWeekStrip(QList<std::optional<Indicator>>(weekStripSlots, indicator),
                                            QColor(Qt::transparent), window, 1.0);
        QVERIFY(weakestSolid(week, window) >= ContrastCheck::mark);
    }

    // The tray meter sits on a top bar that is not ours, black on some desktops and white on
    // others: its solid bars stand out from both, an unknown state's grey included.
    void meterReadsOnBlackAndWhite_data()
    {
        QTest::addColumn<Indicator>("indicator");
        QTest::addColumn<QColor>("bar");
        for (const Indicator indicator : allStates()) {
            for (const auto &[name, bar] :
                 QList<std::pair<const char *, QColor>>{{"black", QColor(Qt::black)}, {"white", QColor(Qt::white)}})
                QTest::addRow("%s on %s", qPrintable(stateName(indicator)), name) << indicator << bar;
        }
    }

    void meterReadsOnBlackAndWhite()
    {
        QFETCH(Indicator, indicator);
        QFETCH(QColor, bar);
        for (const qreal ratio : {1.0, 2.0}) {
            const double reached = weakestSolid(renderMeter(indicator, ratio), bar);
            QVERIFY2(reached >= ContrastCheck::mark, qPrintable(QString::number(reached, 'f', 2)));
        }
        // the unknown grey does better than it must: as well on either bar as any colour can
        if (indicator == Indicator::Unknown)
            QVERIFY(weakestSolid(renderMeter(indicator, 1.0), bar) >= ContrastCheck::text);
    }
};

QTEST_MAIN(TestContrast)
#include "tst_contrast.moc"
