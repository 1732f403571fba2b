#include "core/escapedline.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Remote text on its way to a terminal, a log or a status bar.
class TestEscapedLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void escapesAndCuts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("line");

        // What any page may say stays as it is: accents, scripts written right to left,
        // emoji joined into one.
        const QString plain = u"Caf\u00e9 \u0645\u0631\u062d\u0628\u0627 \U0001F468\u200D\U0001F469\u200D\U0001F467"_s;
        QTest::newRow("plain") << plain << 80 << plain;
        QTest::newRow("window title") << u"\x1b]0;owned\x07ok"_s << 80 << u"\\x1b]0;owned\\x07ok"_s;
        QTest::newRow("colour and line break")
            << u"\x1b[31mred\r\nnext\tcell"_s << 80 << u"\\x1b[31mred\\r\\nnext\\tcell"_s;
        QTest::newRow("delete and C1") << u"a\x7f\u009b31m\u0085"_s << 80 << u"a\\x7f\\u009b31m\\u0085"_s;
        QTest::newRow("bidi and separators")
            << u"evil\u202Egnp.exe\u2066x\u2069\u2028y"_s << 80 << u"evil\\u202egnp.exe\\u2066x\\u2069\\u2028y"_s;
        QTest::newRow("exactly the limit") << QString(80, u'a') << 80 << QString(80, u'a');
        QTest::newRow("one past the limit") << QString(81, u'a') << 80 << QString(79, u'a') + u'\u2026';
        QTest::newRow("no limit") << QString(300, u'a') << -1 << QString(300, u'a');
        // An escape that would not fit whole goes whole; so does a pair of surrogates.
        QTest::newRow("escape at the cut") << QString(78, u'a') + u"\x1b[0m"_s << 80 << QString(78, u'a') + u'\u2026';
        QTest::newRow("emoji at the cut")
            << QString(78, u'a') + u"\U0001F600b"_s << 80 << QString(78, u'a') + u'\u2026';
        // Megabytes of escapes cost no more than the limit.
        QTest::newRow("flood") << QString(2 * 1024 * 1024, u'\x1b') << 200 << u"\\x1b"_s.repeated(49) + u'\u2026';
    }

    void escapesAndCuts()
    {
        QFETCH(QString, text);
        QFETCH(int, maxLength);
        const QString line = escapedLine(text, maxLength);
        QTEST(line, "line");
        QVERIFY(maxLength < 0 || line.size() <= maxLength);
        QCOMPARE(escapedLine(line, maxLength), line);
    }
};

QTEST_GUILESS_MAIN(TestEscapedLine)
#include "tst_escapedline.moc"
