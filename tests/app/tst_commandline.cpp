// The rules `glinter`'s options follow, as main reads them before starting any mode.
#include "app/commandline.h"
#include "app/watchformats.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(CommandLine::Mode)
Q_DECLARE_METATYPE(WatchFormat)
Q_DECLARE_METATYPE(std::optional<WatchFormat>)

namespace {

std::variant<CommandLine, CommandLine::Refusal> parse(const QStringList &arguments)
{
    return CommandLine::parse(QStringList{u"glinter"_s} + arguments);
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void acceptedArgumentsChooseTheMode_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLine::Mode>("mode");
        QTest::addColumn<WatchFormat>("format");
        using Mode = CommandLine::Mode;
        QTest::newRow("watch for waybar by default") << QStringList{u"--watch"_s} << Mode::Watch << WatchFormat::Waybar;
        QTest::newRow("watch for i3blocks")
            << QStringList{u"--watch"_s, u"--format"_s, u"i3blocks"_s} << Mode::Watch << WatchFormat::I3blocks;
        QTest::newRow("format before watch")
            << QStringList{u"--format=polybar"_s, u"--watch"_s} << Mode::Watch << WatchFormat::Polybar;
        QTest::newRow("watch as json") << QStringList{u"--watch"_s, u"--format"_s, u"json"_s} << Mode::Watch
                                       << WatchFormat::Json;
        QTest::newRow("check") << QStringList{u"--check"_s, u"--json"_s} << Mode::Check << WatchFormat::Waybar;
        QTest::newRow("headless with metrics")
            << QStringList{u"--headless"_s, u"--metrics-listen"_s, u"127.0.0.1:9842"_s} << Mode::Headless
            << WatchFormat::Waybar;
        QTest::newRow("help wins") << QStringList{u"--watch"_s, u"--check"_s, u"--help"_s} << Mode::Help
                                   << WatchFormat::Waybar;
    }

    void acceptedArgumentsChooseTheMode()
    {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLine::Mode, mode);
        QFETCH(WatchFormat, format);
        const auto parsed = parse(arguments);
        if (const auto *refusal = std::get_if<CommandLine::Refusal>(&parsed))
            QFAIL(qPrintable(refusal->message));
        const auto *command = std::get_if<CommandLine>(&parsed);
        QVERIFY(command);
        QCOMPARE(command->mode, mode);
        if (mode == CommandLine::Mode::Watch)
            QCOMPARE(command->watchFormat, format);
    }

    // A refused command line ends with status 3 and names what is wrong, before any mode
    // starts (a watcher that would ignore a misspelt format, say).
    void refusedArgumentsSayWhy_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("named");
        QTest::newRow("watch with check") << QStringList{u"--watch"_s, u"--check"_s} << u"--watch"_s;
        QTest::newRow("watch with headless") << QStringList{u"--headless"_s, u"--watch"_s} << u"--watch"_s;
        QTest::newRow("format without watch") << QStringList{u"--format"_s, u"waybar"_s} << u"--format"_s;
        QTest::newRow("format with check") << QStringList{u"--check"_s, u"--format=json"_s} << u"--format"_s;
        QTest::newRow("unknown format") << QStringList{u"--watch"_s, u"--format"_s, u"lemonbar"_s} << u"lemonbar"_s;
        QTest::newRow("format names are exact") << QStringList{u"--watch"_s, u"--format=Waybar"_s} << u"Waybar"_s;
        QTest::newRow("format without its name") << QStringList{u"--watch"_s, u"--format"_s} << u"--format"_s;
        QTest::newRow("check's option with watch") << QStringList{u"--watch"_s, u"--json"_s} << u"--json"_s;
        QTest::newRow("headless's option with watch")
            << QStringList{u"--watch"_s, u"--metrics-listen"_s, u"127.0.0.1:9842"_s} << u"--metrics-listen"_s;
        QTest::newRow("an argument watch takes none of") << QStringList{u"--watch"_s, u"now"_s} << u"now"_s;
        QTest::newRow("asks for nothing") << QStringList{u"--"_s} << u"without arguments"_s;
    }

    void refusedArgumentsSayWhy()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, named);
        const auto parsed = parse(arguments);
        const auto *refusal = std::get_if<CommandLine::Refusal>(&parsed);
        QVERIFY(refusal);
        QCOMPARE(refusal->exitCode, 3);
        QVERIFY2(refusal->message.contains(named), qPrintable(refusal->message));
    }

    void watchFormatFromName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<std::optional<WatchFormat>>("format");
        QTest::newRow("waybar") << u"waybar"_s << std::optional(WatchFormat::Waybar);
        QTest::newRow("i3blocks") << u"i3blocks"_s << std::optional(WatchFormat::I3blocks);
        QTest::newRow("polybar") << u"polybar"_s << std::optional(WatchFormat::Polybar);
        QTest::newRow("json") << u"json"_s << std::optional(WatchFormat::Json);
        QTest::newRow("empty") << QString() << std::optional<WatchFormat>();
        QTest::newRow("other case") << u"JSON"_s << std::optional<WatchFormat>();
        QTest::newRow("padded") << u" waybar"_s << std::optional<WatchFormat>();
        QTest::newRow("i3bar is not i3blocks") << u"i3bar"_s << std::optional<WatchFormat>();
    }

    void watchFormatFromName()
    {
        QFETCH(QString, name);
        QFETCH(std::optional<WatchFormat>, format);
        QCOMPARE(::watchFormatFromName(name), format);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
