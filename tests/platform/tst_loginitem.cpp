// Launch at login: the XDG autostart entry written under the test's own XDG_CONFIG_HOME,
// and a failure's log line on a recording double.
#include "platform/linux/xdgautostart.h"
#include "platform/null/nullloginitem.h"

#include "fulldisk.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

using Status = LoginItem::Status;

class TestLoginItem : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/autostart"_s)
            .removeRecursively();
    }

    void failureIsOneLogLineAndNothingElse()
    {
        NullLoginItem item;
        item.failWith(u"disk full\nsecond line"_s);
        QTest::ignoreMessage(QtWarningMsg, "Glinter: launch-at-login toggle failed: disk full second line");
        item.setEnabled(true);
        QCOMPARE(item.status(), Status::NotRegistered);
    }

    void autostartEntryRoundTrip()
    {
        XdgAutostart item(u"/opt/My Apps/$bin/glinter"_s);
        QCOMPARE(item.status(), Status::NotRegistered);
        item.setEnabled(true);
        QCOMPARE(item.status(), Status::Enabled);
        QVERIFY(XdgAutostart::entryPath().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
        const QByteArray text = readFile(XdgAutostart::entryPath());
        // Quoted for the space, the $ escaped twice as the format asks.
        QVERIFY2(text.contains("\nExec=\"/opt/My Apps/\\\\$bin/glinter\"\n"), text.constData());
        // desktop-file-validate is required by the build (see tests/install).
        QProcess validator;
        validator.start(u"desktop-file-validate"_s, {XdgAutostart::entryPath()});
        QVERIFY(validator.waitForFinished());
        const QByteArray said = validator.readAll();
        QVERIFY2(validator.exitCode() == 0 && said.isEmpty(), said.constData());

        // The desktop's own start-up settings switch it off by editing the entry.
        QVERIFY(writeFile(XdgAutostart::entryPath(), "Hidden=true\n", QIODevice::Append));
        QCOMPARE(item.status(), Status::Disabled);
        // Switching off what the desktop switched off leaves its entry alone.
        item.setEnabled(false);
        QCOMPARE(item.status(), Status::Disabled);
        item.setEnabled(true);
        QCOMPARE(item.status(), Status::Enabled);

        item.setEnabled(false);
        QCOMPARE(item.status(), Status::NotRegistered);
        QVERIFY(!QFile::exists(XdgAutostart::entryPath()));
    }

    void unwritableFolderIsReported()
    {
        // A file where the autostart folder should be.
        const QString folder = QFileInfo(XdgAutostart::entryPath()).path();
        QVERIFY(QDir().mkpath(QFileInfo(folder).path()));
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        XdgAutostart item(u"/usr/bin/glinter"_s);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^Glinter: launch-at-login toggle failed: .+"_s));
        item.setEnabled(true);
        QCOMPARE(item.status(), Status::NotRegistered);
        QVERIFY(QFile::remove(folder));
    }

    // A write that fails for want of space must not replace the entry with a short one.
    void aFullDiskLeavesTheEntryAsItWas()
    {
        const FullDisk disk;
        if (!disk.mountError.isEmpty())
            QSKIP(qPrintable(u"cannot mount a small tmpfs: "_s + disk.mountError));
        const QByteArray home = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(disk.dir.path()));
        XdgAutostart item(u"/usr/bin/glinter"_s);
        item.setEnabled(true);
        QVERIFY(writeFile(XdgAutostart::entryPath(), "Hidden=true\n", QIODevice::Append));
        const QByteArray before = readFile(XdgAutostart::entryPath());

        disk.fill();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"^Glinter: launch-at-login toggle failed: .+"_s));
        item.setEnabled(true);
        QCOMPARE(readFile(XdgAutostart::entryPath()), before);
        QCOMPARE(item.status(), Status::Disabled);
        disk.release();
        qputenv("XDG_CONFIG_HOME", home);
    }
};

QTEST_GUILESS_MAIN(TestLoginItem)
#include "tst_loginitem.moc"
