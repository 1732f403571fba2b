#include "core/filewatcher.h"

#include "testfiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>
#include <vector>

using namespace std::chrono_literals;

namespace {

void saveAtomically(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit());
}

} // namespace

class TestFileWatcher : public QObject
{
    Q_OBJECT

    std::unique_ptr<FileWatcher> watch(std::chrono::milliseconds debounce = 50ms)
    {
        return std::make_unique<FileWatcher>(
            m_path,
            [this] {
                ++m_calls;
                m_onMainThread = m_onMainThread && QThread::currentThread() == thread();
            },
            nullptr, debounce);
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
        QTest::qWait(500);
        QCOMPARE(m_calls, 1);
    }

    void followsTheFile_data()
    {
        QTest::addColumn<QString>("command"); // run by sh with the file as $0
        QTest::addColumn<bool>("holdOld"); // as an editor may keep the replaced file open
        QTest::newRow("sed -i") << QStringLiteral("sed -i '$a x' \"$0\"") << false;
        QTest::newRow("mv, old file held open")
            << QStringLiteral("printf 'x\\n' > \"$0.new\" && mv \"$0.new\" \"$0\"") << true;
    }

    // Started without the file, after any number of replacements and after it was deleted
    // and written again, the watch is on the current file: an append changes no entry of
    // the folder, so only a watch on that file sees it.
    void followsTheFile()
    {
        QFETCH(QString, command);
        QFETCH(bool, holdOld);
        const auto watcher = watch();
        QVERIFY(!watcher->isWatchingFile());
        QVERIFY(writeFile(m_path, "[]\n"));
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 1, 3000);
        std::vector<std::unique_ptr<QFile>> held;
        for (int i = 2; i <= 4; ++i) {
            if (holdOld) {
                held.push_back(std::make_unique<QFile>(m_path));
                QVERIFY(held.back()->open(QIODevice::ReadOnly));
            }
            QCOMPARE(QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), command, m_path}), 0);
            QTRY_COMPARE_WITH_TIMEOUT(m_calls, i, 3000);
        }
        QVERIFY(writeFile(m_path, "appended\n", QIODevice::Append));
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 5, 3000);
        QVERIFY(QFile::remove(m_path));
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 6, 3000);
        QVERIFY(!watcher->isWatchingFile());
        QVERIFY(writeFile(m_path, "[]"));
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 7, 3000);
        QVERIFY(writeFile(m_path, "\n", QIODevice::Append));
        QTRY_COMPARE_WITH_TIMEOUT(m_calls, 8, 3000);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
    int m_calls = 0;
    bool m_onMainThread = true;
    QElapsedTimer m_clock;
};

QTEST_GUILESS_MAIN(TestFileWatcher)
#include "tst_filewatcher.moc"
