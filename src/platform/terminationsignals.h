#pragma once

#include <QObject>

#include <memory>

// Reports a request to end the process (SIGINT, SIGTERM) on the main thread, so that the
// event loop can end cleanly; nothing runs inside the signal handler itself. A stop the main
// thread does not take up within a second ends the process there and then; handlers of
// requested that save what waits do it right there, and get a few seconds for it before the
// second for the rest of the end starts.
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
