#pragma once

#include <optional>
#include <sys/types.h>

namespace bench {

// What a running process has used so far, as /proc tells it: processor time and context
// switches summed over its threads (each thread's run time to the nanosecond, where the
// clock ticks of /proc/<pid>/stat would round a quiet minute to nothing), and its resident
// memory now.
struct ProcessSample {
    double at { 0 }; // seconds on the monotonic clock
    double cpuSeconds { 0 };
    long long switches { 0 };
    // Of them, the ones where a thread was taken off a processor it still wanted: on a
    // loaded machine, a measure of the others' load as much as of ours.
    long long preemptions { 0 };
    double residentMegabytes { 0 };

    // None once the process has gone.
    static std::optional<ProcessSample> of(pid_t pid);
};

// The use between two samples, per second of real time.
struct Usage {
    double seconds { 0 };
    double cpuPercent { 0 }; // of one core
    double wakeUpsPerSecond { 0 }; // every context switch
    double preemptionsPerSecond { 0 }; // the switches not of the program's own asking
    double residentMegabytes { 0 }; // at the end

    static Usage between(const ProcessSample& first, const ProcessSample& last);
};

// Samples the process now and again after `seconds`; none when it ended meanwhile.
std::optional<Usage> measure(pid_t pid, double seconds);

}
