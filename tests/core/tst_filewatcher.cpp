#include "core/filewatcher.h"

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

void put(const QString &path, const QByteArray &data, QIODevice::OpenMode mode = QIODevice::WriteOnly)
{
    QFile file(path);
    QVERIFY(file.open(mode));
    file.write(data);
}

void saveAtomically(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
    QVERIFY(file.commit());
}

} // namespace

class TestFileWatcher : public QObject
{
    Q_OBJECT

    std::unique_ptr<FileWatcher> watch(std::chrono::milliseconds debounce = 50ms)
    {
        return std::make_unique<FileWatcher>(m_path, [this] {
            ++m_calls;
            m_lastCallAt = m_clock.elapsed();
            m_onMainThread = m_onMainThread && QThread::currentThread() == thread();
        }, nullptr, debounce);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_path = m_dir->filePath(QStringLiteral("services.json"));
        m_calls = 0;
        m_clock.start();
    }

    void cleanup() { QVERIFY(m_onMainThread); }

    void burstOfSavesGivesOneCall()
    {
        saveAtomically(m_path, "[]");
        const auto watcher = watch(300ms);
        qint64 lastSaveAt = 0;
        for (int i = 0; i < 3; ++i) {
            QTest::qWait(i ? 90 : 0);
            if (i && m_clock.elapsed() - lastSaveAt >= 250)
                QSKIP("the machine stalled longer than the burst may last");
            saveAtomically(m_path, QByteArray::number(i));
            lastSaveAt = m_clock.elapsed();
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 1, 3000);
        QVERIFY2(m_lastCallAt - lastSaveAt >= 290, qPrintable(QString::number(m_lastCallAt - lastSaveAt)));
        QTest::qWait(500);
        QCOMPARE(m_calls, 1);
    }

    void followsReplacements_data()
    {
        QTest::addColumn<QString>("method");
        for (const char *method : {"QSaveFile", "mv", "mv, old file held open", "sed -i"})
            QTest::newRow(method) << QString::fromLatin1(method);
    }

    // After any number of replacements the watch is on the current file: an append changes
    // no entry of the folder, so only a watch on that file sees it.
    void followsReplacements()
    {
        QFETCH(QString, method);
        put(m_path, "[]\n");
        const auto watcher = watch();
        std::vector<std::unique_ptr<QFile>> held; // an editor may keep the replaced file open
        for (int i = 1; i <= 4; ++i) {
            if (method == u"QSaveFile") {
                saveAtomically(m_path, "x\n");
            } else if (method == u"sed -i") {
                QCOMPARE(QProcess::execute(QStringLiteral("sed"), {QStringLiteral("-i"), QStringLiteral("$a x"), m_path}), 0);
            } else {
                if (method.endsWith(u"open")) {
                    held.push_back(std::make_unique<QFile>(m_path));
                    QVERIFY(held.back()->open(QIODevice::ReadOnly));
                }
                put(m_path + u".new", "x\n");
                QCOMPARE(std::rename(qPrintable(m_path + u".new"), qPrintable(m_path)), 0);
            }
            QTRY_COMPARE_WITH_TIMEOUT(m_calls, i, 3000);
        }
        put(m_path, "appended\n", QIODevice::Append);
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 5, 3000);
    }

    // Starting without the file, then deleting and re-creating it.
    void missingFile()
    {
        const auto watcher = watch();
        QVERIFY(!watcher->isWatchingFile());
        put(m_path, "[]");
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 1, 3000);
        QVERIFY(QFile::remove(m_path));
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 2, 3000);
        QVERIFY(!watcher->isWatchingFile());
        put(m_path, "[]");
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 3, 3000);
        put(m_path, "\n", QIODevice::Append);
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 4, 3000);
    }

    void otherFilesInTheFolderFire()
    {
        put(m_path, "[]");
        const auto watcher = watch();
        const QString other = m_dir->filePath(QStringLiteral("history.json"));
        saveAtomically(other, "[]");
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 1, 3000);
        QVERIFY(QFile::remove(other));
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 2, 3000);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    int m_calls = 0;
    qint64 m_lastCallAt = 0;
    bool m_onMainThread = true;
    QElapsedTimer m_clock;
};

QTEST_GUILESS_MAIN(TestFileWatcher)
#include "tst_filewatcher.moc"
