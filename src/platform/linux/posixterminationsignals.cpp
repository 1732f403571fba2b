#include "platform/terminationsignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int s_pipe[2] = {-1, -1};

// What the handlers save as they take the stop up (the history, the uptime record) may wait
// for a slow disk: longer than the second a stuck main thread gets, but not for ever.
constexpr unsigned kSavingSeconds = 10;

// A stop that the main thread has not completed within a second (a long parse, thousands
// of exchanges being torn down) ends the process there and then.
void onWatchdog(int)
{
    ::_exit(0);
}

// Async-signal-safe: one byte into the pipe, read on the main thread, and the watchdog.
void onSignal(int number)
{
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(s_pipe[0], &byte, 1);
    ::alarm(1);
}

class PosixTerminationSignals final : public TerminationSignals
{
public:
    PosixTerminationSignals()
    {
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, s_pipe) != 0)
            return;
        ::fcntl(s_pipe[0], F_SETFL, O_NONBLOCK);
        m_notifier = new QSocketNotifier(s_pipe[1], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            char byte = 0;
            if (::read(s_pipe[1], &byte, 1) != 1)
                return;
            ::alarm(kSavingSeconds);
            Q_EMIT requested(int(byte));
            // The end of the event loop and the teardown after the save get their second.
            ::alarm(1);
        });
        struct sigaction action {
        };
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGINT, &action, nullptr);
        ::sigaction(SIGTERM, &action, nullptr);
        struct sigaction watchdog {
        };
        watchdog.sa_handler = onWatchdog;
        sigemptyset(&watchdog.sa_mask);
        ::sigaction(SIGALRM, &watchdog, nullptr);
    }

    ~PosixTerminationSignals() override
    {
        ::signal(SIGINT, SIG_DFL);
        ::signal(SIGTERM, SIG_DFL);
        // The watchdog stays: a stop already asked for must end the process even while
        // the application is being torn down after this.
        delete m_notifier;
        ::close(s_pipe[0]);
        ::close(s_pipe[1]);
        s_pipe[0] = s_pipe[1] = -1;
    }

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace

std::unique_ptr<TerminationSignals> makeTerminationSignals()
{
    return std::make_unique<PosixTerminationSignals>();
}
