#include "core/filewatcher.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <memory>
#include <vector>

using namespace std::chrono_literals;

namespace {

// Counts handler calls and when the last one came.
struct CallLog {
    int calls = 0;
    bool allOnMainThread = true;
    QElapsedTimer clock;
    qint64 lastCallAt = -1;

    std::function<void()> handler()
    {
        clock.start();
        return [this] {
            ++calls;
            lastCallAt = clock.elapsed();
            if (QThread::currentThread() != QCoreApplication::instance()->thread())
                allOnMainThread = false;
        };
    }
};

void writeAtomically(const QString &path, const QByteArray &contents)
{
    QSaveFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
    QVERIFY(file.commit());
}

void append(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    file.write(contents);
}

enum class SaveMethod { SaveFile, MoveOver, MoveOverWhileHeldOpen, SedInPlace };

// The ways programs replace a file: our own store, `mv` over it, an editor that still holds
// the old file open while it moves the new one into place, and `sed -i`.
void save(SaveMethod method, const QString &path, const QByteArray &contents)
{
    switch (method) {
    case SaveMethod::SaveFile:
        writeAtomically(path, contents);
        return;
    case SaveMethod::MoveOver:
    case SaveMethod::MoveOverWhileHeldOpen: {
        const QString aside = path + QStringLiteral(".new");
        QFile file(aside);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        QVERIFY(std::rename(QFile::encodeName(aside).constData(), QFile::encodeName(path).constData()) == 0);
        return;
    }
    case SaveMethod::SedInPlace: {
        const QString expression = QStringLiteral("$a ") + QString::fromUtf8(contents.trimmed());
        QCOMPARE(QProcess::execute(QStringLiteral("sed"), {QStringLiteral("-i"), expression, path}), 0);
        return;
    }
    }
}

} // namespace

class TestFileWatcher : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_path = m_dir->filePath(QStringLiteral("services.json"));
    }

    void burstOfAtomicSavesGivesOneCall()
    {
        writeAtomically(m_path, "[]");
        CallLog log;
        FileWatcher watcher(m_path, log.handler());

        qint64 lastSaveAt = 0;
        for (int i = 0; i < 3; ++i) {
            if (i > 0)
                QTest::qWait(90);
            writeAtomically(m_path, QByteArray::number(i));
            lastSaveAt = log.clock.elapsed();
        }
        QTRY_COMPARE_WITH_TIMEOUT(log.calls, 1, 3000);
        QVERIFY2(log.lastCallAt - lastSaveAt >= 290,
                 qPrintable(QStringLiteral("called %1 ms after the last save").arg(log.lastCallAt - lastSaveAt)));
        // Nothing else is pending.
        QTest::qWait(500);
        QCOMPARE(log.calls, 1);
        QVERIFY(log.allOnMainThread);
    }

    void inPlaceWriteAfterReplacementIsNoticed_data()
    {
        QTest::addColumn<SaveMethod>("method");
        QTest::newRow("save file") << SaveMethod::SaveFile;
        QTest::newRow("mv over") << SaveMethod::MoveOver;
        QTest::newRow("mv over, old file held open") << SaveMethod::MoveOverWhileHeldOpen;
        QTest::newRow("sed -i") << SaveMethod::SedInPlace;
    }

    void inPlaceWriteAfterReplacementIsNoticed()
    {
        QFETCH(SaveMethod, method);
        writeAtomically(m_path, "[]\n");
        CallLog log;
        FileWatcher watcher(m_path, log.handler(), nullptr, 50ms);

        // Several replacements in a row: the watch must follow each new file. An editor may
        // keep the replaced file open, so it is not gone and its watch reports no removal.
        std::vector<std::unique_ptr<QFile>> held;
        for (int i = 1; i <= 4; ++i) {
            if (method == SaveMethod::MoveOverWhileHeldOpen) {
                held.push_back(std::make_unique<QFile>(m_path));
                QVERIFY(held.back()->open(QIODevice::ReadOnly));
            }
            save(method, m_path, "x" + QByteArray::number(i) + '\n');
            QTRY_COMPARE_WITH_TIMEOUT(log.calls, i, 3000);
        }
        QVERIFY(watcher.isWatchingFile());

        // Appending changes no entry of the folder, so only a watch on the new file sees it.
        append(m_path, "appended\n");
        QTRY_COMPARE_WITH_TIMEOUT(log.calls, 5, 3000);
        append(m_path, "again\n");
        QTRY_COMPARE_WITH_TIMEOUT(log.calls, 6, 3000);
    }

    void deletionAndRecreationAreNoticed()
    {
        writeAtomically(m_path, "[]");
        CallLog log;
        FileWatcher watcher(m_path, log.handler(), nullptr, 50ms);

        QVERIFY(QFile::remove(m_path));
        QTRY_COMPARE_WITH_TIMEOUT(log.calls, 1, 3000);
        QVERIFY(!watcher.isWatchingFile());

        QFile created(m_path);
        QVERIFY(created.open(QIODevice::WriteOnly));
        created.write("[]");
        created.close();
        QTRY_COMPARE_WITH_TIMEOUT(log.calls, 2, 3000);
        QVERIFY(watcher.isWatchingFile());

        append(m_path, "\n");
        QTRY_COMPARE_WITH_TIMEOUT(log.calls, 3, 3000);
    }

    void startWithoutTheFile()
    {
        CallLog log;
        FileWatcher watcher(m_path, log.handler(), nullptr, 50ms);
        QVERIFY(!watcher.isWatchingFile());

        writeAtomically(m_path, "[]");
        QTRY_COMPARE_WITH_TIMEOUT(log.calls, 1, 3000);
        QVERIFY(watcher.isWatchingFile());

        append(m_path, "\n");
        QTRY_COMPARE_WITH_TIMEOUT(log.calls, 2, 3000);
    }

    void otherFilesInTheFolderAlsoFire()
    {
        writeAtomically(m_path, "[]");
        CallLog log;
        FileWatcher watcher(m_path, log.handler(), nullptr, 50ms);
        const QString other = m_dir->filePath(QStringLiteral("history.json"));

        writeAtomically(other, "[]");
        QTRY_COMPARE_WITH_TIMEOUT(log.calls, 1, 3000);
        writeAtomically(other, "[1]");
        QTRY_COMPARE_WITH_TIMEOUT(log.calls, 2, 3000);
        QVERIFY(QFile::remove(other));
        QTRY_COMPARE_WITH_TIMEOUT(log.calls, 3, 3000);
    }

    void droppedWatcherNeverCalls()
    {
        writeAtomically(m_path, "[]");
        CallLog log;
        auto watcher = std::make_unique<FileWatcher>(m_path, log.handler(), nullptr, 100ms);
        writeAtomically(m_path, "[1]");
        // Let the events arrive so that a notification is pending, then drop the watcher.
        QTest::qWait(30);
        watcher.reset();
        QTest::qWait(300);
        QCOMPARE(log.calls, 0);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

QTEST_GUILESS_MAIN(TestFileWatcher)
#include "tst_filewatcher.moc"
