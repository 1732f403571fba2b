#include "core/atomicfile.h"

#include "fulldisk.h"

#include <QDir>
#include <QTest>

class TestAtomicFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fullDiskLeavesTheGoodFile()
    {
        FullDisk disk;
        if (!disk.mountError.isEmpty())
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs to fill: ") + disk.mountError));
        const QString path = disk.dir.filePath(QStringLiteral("services.json"));
        const auto content = [&] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QVERIFY(AtomicFile::write(path, QByteArray(3085, 'g')).ok());

        // Less than a write buffer: only the flush in commit() meets the full disk.
        disk.fill();
        const WriteResult failed = AtomicFile::write(path, QByteArray(3000, 'n'));
        QVERIFY2(failed.error.value_or(QString()).contains(QStringLiteral("space")), qPrintable(failed.error.value_or(QString())));
        QCOMPARE(content(), QByteArray(3085, 'g'));
        QCOMPARE(QDir(disk.dir.path()).entryList(QDir::Files), (QStringList{QStringLiteral("filler"), QStringLiteral("services.json")}));

        disk.release();
        QVERIFY(AtomicFile::write(path, QByteArray(40000, 'n')).ok());
        QCOMPARE(content(), QByteArray(40000, 'n'));
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
