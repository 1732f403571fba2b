#include "core/filewatcher.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QThread>

FileWatcher::FileWatcher(const QString &filePath, std::function<void()> handler, QObject *parent,
                         std::chrono::milliseconds debounce)
    : QObject(parent)
    , m_filePath(QFileInfo(filePath).absoluteFilePath())
    , m_directoryPath(QFileInfo(m_filePath).absolutePath())
    , m_handler(std::move(handler))
{
    m_debounce.setSingleShot(true);
    // A coarse timer may fire up to 5 % early, inside the burst it is meant to wait out.
    m_debounce.setTimerType(Qt::PreciseTimer);
    m_debounce.setInterval(debounce);
    connect(&m_debounce, &QTimer::timeout, this, &FileWatcher::fire);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &FileWatcher::onEvent);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FileWatcher::onEvent);

    armFile();
    // A folder that cannot be watched (missing, no permission) simply gives no events.
    if (QFileInfo(m_directoryPath).isDir())
        m_watcher.addPath(m_directoryPath);
}

FileWatcher::~FileWatcher() = default;

bool FileWatcher::isWatchingFile() const
{
    return m_watcher.files().contains(m_filePath);
}

void FileWatcher::onEvent()
{
    // Any event may mean that the name now points to another file (an atomic save moved a
    // new one over it) or to none, and a watch follows the old file, not the name. Some
    // replacements leave the old file alive (an editor still holding it open), so its
    // watch would never report removal: re-attach on every event rather than only on
    // reported removals.
    armFile();
    m_debounce.start();
}

void FileWatcher::armFile()
{
    if (m_watcher.files().contains(m_filePath))
        m_watcher.removePath(m_filePath);
    if (QFileInfo::exists(m_filePath))
        m_watcher.addPath(m_filePath);
}

void FileWatcher::fire()
{
    // The burst may have ended with a replacement whose events arrived before the new file
    // was in place.
    armFile();
    if (!m_handler)
        return;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || thread() == app->thread()) {
        m_handler();
        return;
    }
    QMetaObject::invokeMethod(
        app,
        [self = QPointer<FileWatcher>(this), handler = m_handler] {
            if (self)
                handler();
        },
        Qt::QueuedConnection);
}
