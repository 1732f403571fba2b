#pragma once

// What the benchmarks measure of a process: CPU time, retired instructions (which other
// programs on a busy machine disturb far less than time) and peak memory, of this process
// or of a program it runs.

#include <QByteArrayList>

#include <chrono>
#include <sys/types.h>
#include <vector>

namespace Measure {

// CPU time (user and system) of this process so far, all threads.
double cpuMs();

// Peak resident memory of this process so far.
long peakRssKb();

// Monotonic time in nanoseconds, the same clock in every process of the machine.
qint64 steadyNs();

// Instructions retired by this process (every thread it starts after the counter opens, user
// and kernel) since the counter opened. Unavailable (-1) where the kernel refuses counters
// (perf_event_paranoid, containers without the PMU).
class InstructionCounter
{
public:
    InstructionCounter();
    ~InstructionCounter();
    InstructionCounter(const InstructionCounter &) = delete;
    InstructionCounter &operator=(const InstructionCounter &) = delete;

    qint64 read() const;
    // Stops counting, so that programs started later are not counted as ours.
    void close();

private:
    int m_fd = -1;
};

struct Run {
    double wallMs = 0;
    double cpuMs = 0;
    qint64 instructions = -1; // -1: not counted
    long peakRssKb = 0;
    qint64 startNs = 0; // steadyNs() when it was started
    int exitStatus = -1;
};

// Runs a program to its end, its output thrown away, and measures it: wall and CPU time, the
// instructions of it and its children from its exec on, its own peak memory.
Run runProgram(const QByteArrayList &arguments);

double median(std::vector<double> values);

} // namespace Measure
