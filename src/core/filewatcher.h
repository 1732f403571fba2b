#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>

// Tells its owner, once per burst of changes, that a file may have changed on disk,
// whoever changed it. It watches the file and the folder that holds it, so it keeps
// working when the file is replaced by an atomic save, deleted, or created later. It never
// reads the file: deciding whether anything really changed is the owner's business.
class FileWatcher : public QObject
{
    Q_OBJECT

public:
    // `handler` runs on the main thread, `debounce` after the last event of a burst.
    FileWatcher(const QString &filePath, std::function<void()> handler, QObject *parent = nullptr,
                std::chrono::milliseconds debounce = std::chrono::milliseconds(300));
    ~FileWatcher() override;

    QString filePath() const { return m_filePath; }

    // Whether the file itself is watched at present (false while it does not exist).
    bool isWatchingFile() const;

private:
    void onEvent();
    void armFile();
    void fire();

    QString m_filePath;
    QString m_directoryPath;
    std::function<void()> m_handler;
    QFileSystemWatcher m_watcher;
    QTimer m_debounce;
};
