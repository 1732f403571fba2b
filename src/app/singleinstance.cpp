#include "app/singleinstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>

namespace {

constexpr QByteArrayView showMessage = "show\n";

} // namespace

SingleInstance::SingleInstance(QString directory, QObject *parent)
    : QObject(parent)
    , m_directory(std::move(directory))
    , m_lock(m_directory + QStringLiteral("/glinter.lock"))
{
    // Only a dead owner makes the lock stale, never its age: the lock is held for as long
    // as Glinter runs.
    m_lock.setStaleLockTime(0);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

SingleInstance::~SingleInstance()
{
    m_server.close();
}

QString SingleInstance::defaultDirectory()
{
    // $XDG_RUNTIME_DIR, or a private folder Qt makes when the session has none.
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QString SingleInstance::socketPath() const
{
    return m_directory + QStringLiteral("/glinter.socket");
}

SingleInstance::Claim SingleInstance::claim()
{
    if (m_directory.isEmpty() || !QDir().mkpath(m_directory)) {
        m_error = QStringLiteral("no runtime folder for the instance lock");
        return Claim::Unavailable;
    }
    if (!m_lock.tryLock(0)) {
        if (m_lock.error() == QLockFile::LockFailedError) {
            m_error = QStringLiteral("Glinter is already running");
            return Claim::Taken;
        }
        m_error = QStringLiteral("cannot create %1").arg(m_lock.fileName());
        return Claim::Unavailable;
    }
    // Whoever holds the lock owns the socket name, so a socket left by a crashed run can go.
    QLocalServer::removeServer(socketPath());
    if (!m_server.listen(socketPath())) {
        m_error = m_server.errorString();
        m_lock.unlock();
        return Claim::Unavailable;
    }
    return Claim::Running;
}

bool SingleInstance::notifyRunning(std::chrono::milliseconds timeout)
{
    // The running instance may hold the lock a moment before it listens: try again until
    // the deadline.
    const QDeadlineTimer deadline(timeout);
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(int(deadline.remainingTime()))) {
            socket.write(showMessage.data(), showMessage.size());
            const bool written = socket.waitForBytesWritten(int(deadline.remainingTime()));
            socket.disconnectFromServer();
            if (written)
                return true;
        }
        if (deadline.hasExpired()) {
            m_error = socket.errorString();
            return false;
        }
        QThread::msleep(50);
    }
}

void SingleInstance::accept()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto read = [this, socket] {
            if (!socket->canReadLine()) {
                // Our message is one short line; a longer one is not ours, and is not buffered.
                if (socket->bytesAvailable() > 256)
                    socket->abort();
                return;
            }
            const QByteArray line = socket->readLine();
            socket->disconnectFromServer();
            if (line == showMessage.toByteArray())
                Q_EMIT showRequested();
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        // The message may have arrived with the connection.
        read();
    }
}
