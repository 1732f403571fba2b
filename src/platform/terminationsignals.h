#pragma once

#include <QObject>

#include <memory>

// Reports a request to end the process (SIGINT, SIGTERM) on the main thread, so that the
// event loop can end cleanly; nothing runs inside the signal handler itself.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    void requested(int signalNumber);
};

// One per process.
std::unique_ptr<TerminationSignals> makeTerminationSignals();
