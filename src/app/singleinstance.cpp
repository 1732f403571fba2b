#include "app/singleinstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>

namespace {

constexpr QByteArrayView showMessage = "show\n";
// The answers to it.
constexpr QByteArrayView shownAnswer = "shown\n";
constexpr QByteArrayView headlessAnswer = "headless\n";

} // namespace

SingleInstance::SingleInstance(Kind kind, QString directory, QObject *parent)
    : QObject(parent)
    , m_kind(kind)
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

SingleInstance::Answer SingleInstance::askToShow(std::chrono::milliseconds timeout)
{
    // The running instance may hold the lock a moment before it listens: try to connect
    // again until the deadline.
    const QDeadlineTimer deadline(timeout);
    QLocalSocket socket;
    while (true) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired()) {
            m_error = socket.errorString();
            return Answer::None;
        }
        socket.abort();
        QThread::msleep(50);
    }
    socket.write(showMessage.data(), showMessage.size());
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() <= headlessAnswer.size()) {
        if (!socket.bytesAvailable() && !socket.waitForReadyRead(int(deadline.remainingTime())))
            break;
        answer += socket.readAll();
    }
    if (answer == shownAnswer.toByteArray())
        return Answer::Shown;
    if (answer == headlessAnswer.toByteArray())
        return Answer::Headless;
    m_error = answer.isEmpty() ? QStringLiteral("no answer") : QStringLiteral("an answer it does not know");
    return Answer::None;
}

qint64 SingleInstance::runningProcess() const
{
    qint64 pid = 0;
    QString host;
    QString application;
    return m_lock.getLockInfo(&pid, &host, &application) ? pid : 0;
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
            if (line == showMessage.toByteArray()) {
                const QByteArrayView answer = m_kind == Kind::Desktop ? shownAnswer : headlessAnswer;
                socket->write(answer.data(), answer.size());
            }
            // Sends the answer first.
            socket->disconnectFromServer();
            if (line == showMessage.toByteArray() && m_kind == Kind::Desktop)
                Q_EMIT showRequested();
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        // The message may have arrived with the connection.
        read();
    }
}
