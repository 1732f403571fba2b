#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <chrono>

// One desktop Glinter per user session. The first instance holds a lock file and listens
// on a local socket in the user's runtime folder ($XDG_RUNTIME_DIR); a later one finds the
// lock taken and asks the running one, through the socket, to show itself.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // `directory` holds the lock and the socket; by default the user's runtime folder.
    explicit SingleInstance(QString directory = defaultDirectory(), QObject *parent = nullptr);
    ~SingleInstance() override;

    enum class Claim {
        // This process is the running instance and listens for later ones.
        Running,
        // Another instance holds the lock.
        Taken,
        // The runtime folder cannot hold the lock or the socket (reason in error()).
        Unavailable,
    };

    // Becomes the running instance: takes the lock and listens.
    Claim claim();

    // Asks the running instance to show itself, waiting at most `timeout` for it to
    // listen. Returns whether the request was delivered.
    bool notifyRunning(std::chrono::milliseconds timeout);

    QString error() const { return m_error; }
    QString socketPath() const;

    static QString defaultDirectory();

Q_SIGNALS:
    // A later instance asked this one to show its panel.
    void showRequested();

private:
    void accept();

    QString m_directory;
    QLockFile m_lock;
    QLocalServer m_server;
    QString m_error;
};
