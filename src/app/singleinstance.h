#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <chrono>

// One Glinter monitor per user session, the desktop application or `--headless`: two would
// write the same files and send every alert twice. The first instance holds a lock file and
// listens on a local socket in the user's runtime folder ($XDG_RUNTIME_DIR); a later one
// finds the lock taken and may ask the running one, through the socket, to show itself,
// which only the desktop application can.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Kind {
        Desktop,
        Headless,
    };

    // `directory` holds the lock and the socket; by default the user's runtime folder.
    explicit SingleInstance(Kind kind, QString directory = defaultDirectory(), QObject *parent = nullptr);
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

    // What the running instance said when asked to show itself.
    enum class Answer {
        Shown,
        // It runs without a panel (`--headless`).
        Headless,
        // It did not listen, or did not answer, in time (reason in error()).
        None,
    };

    // Asks the running instance to show itself, waiting at most `timeout` for it to listen
    // and answer. The request is made once: a running instance never shows itself twice.
    Answer askToShow(std::chrono::milliseconds timeout);

    // The process that holds the lock, once claim() found it taken; 0 when unknown.
    qint64 runningProcess() const;

    QString error() const { return m_error; }
    QString socketPath() const;

    static QString defaultDirectory();

Q_SIGNALS:
    // A later instance asked this one to show its panel (only the desktop application's).
    void showRequested();

private:
    void accept();

    Kind m_kind;
    QString m_directory;
    QLockFile m_lock;
    QLocalServer m_server;
    QString m_error;
};
