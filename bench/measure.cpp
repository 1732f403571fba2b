#include "measure.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/perf_event.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace Measure {

namespace {

double ms(timeval t)
{
    return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0;
}

int openInstructionCounter(pid_t pid, bool fromExec)
{
    perf_event_attr attr{};
    attr.size = sizeof(attr);
    attr.type = PERF_TYPE_HARDWARE;
    attr.config = PERF_COUNT_HW_INSTRUCTIONS;
    attr.inherit = 1;
    attr.exclude_hv = 1;
    attr.disabled = fromExec ? 1 : 0;
    attr.enable_on_exec = fromExec ? 1 : 0;
    return int(syscall(SYS_perf_event_open, &attr, pid, -1, -1, PERF_FLAG_FD_CLOEXEC));
}

qint64 readCounter(int fd)
{
    quint64 value = 0;
    if (fd < 0 || ::read(fd, &value, sizeof(value)) != ssize_t(sizeof(value)))
        return -1;
    return qint64(value);
}

long highWaterKb(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

} // namespace

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

long peakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

qint64 steadyNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

InstructionCounter::InstructionCounter()
    : m_fd(openInstructionCounter(0, false))
{
}

InstructionCounter::~InstructionCounter()
{
    close();
}

qint64 InstructionCounter::read() const
{
    return readCounter(m_fd);
}

void InstructionCounter::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

Run runProgram(const QByteArrayList &arguments)
{
    std::vector<char *> argv;
    for (const QByteArray &argument : arguments)
        argv.push_back(const_cast<char *>(argument.constData()));
    argv.push_back(nullptr);

    // The child waits on `go` until its counter is attached, and `execed` reaches end of file
    // when it has exec'd: before that its memory is a copy of ours.
    int go[2];
    int execed[2];
    if (pipe2(go, O_CLOEXEC) != 0 || pipe2(execed, O_CLOEXEC) != 0)
        return {};
    Run run;
    run.startNs = steadyNs();
    const pid_t pid = fork();
    if (pid == 0) {
        char c = 0;
        while (::read(go[0], &c, 1) < 0 && errno == EINTR) { }
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0)
            dup2(null, STDOUT_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    ::close(go[0]);
    ::close(execed[1]);
    const int counter = pid > 0 ? openInstructionCounter(pid, true) : -1;
    if (::write(go[1], "x", 1) != 1) {
        // the child is gone already; wait4 below collects it
    }
    ::close(go[1]);
    char c = 0;
    while (::read(execed[0], &c, 1) < 0 && errno == EINTR) { }
    ::close(execed[0]);

    int status = 0;
    rusage usage{};
    while (pid > 0 && wait4(pid, &status, WNOHANG, &usage) == 0) {
        run.peakRssKb = std::max(run.peakRssKb, highWaterKb(pid));
        usleep(2000);
    }
    run.wallMs = double(steadyNs() - run.startNs) / 1e6;
    run.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    run.instructions = readCounter(counter);
    if (counter >= 0)
        ::close(counter);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace Measure
