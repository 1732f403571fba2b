#include "core/atomicfile.h"

#include "fulldisk.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestAtomicFile : public QObject
{
    Q_OBJECT

private:
    static QByteArray contentOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void fullDiskLeavesTheGoodFile()
    {
        FullDisk disk;
        if (const std::optional<QString> error = disk.mountError())
            QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs to fill up: ") + *error));

        // Smaller than the write buffer of a buffered file, so that only flushing at
        // commit() meets the full disk.
        const QString path = disk.filePath(QStringLiteral("services.json"));
        const QByteArray good(3085, 'g');
        QVERIFY(AtomicFile::write(path, good).ok());

        disk.fill();
        const WriteResult failed = AtomicFile::write(path, QByteArray(3000, 'n'));
        QVERIFY(!failed.ok());
        QVERIFY2(failed.error->contains(QStringLiteral("space")), qPrintable(*failed.error));
        QCOMPARE(contentOf(path), good);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QStringLiteral("filler"), QStringLiteral("services.json")}));

        // Room again: the next write goes through whole, into folders it makes.
        disk.release();
        const QByteArray next(40000, 'n');
        QVERIFY(AtomicFile::write(path, next).ok());
        QCOMPARE(contentOf(path), next);
        QVERIFY(AtomicFile::write(disk.filePath(QStringLiteral("a/b/history.json")), "{}").ok());
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomicfile.moc"
