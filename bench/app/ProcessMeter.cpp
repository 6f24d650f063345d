#include "bench/app/ProcessMeter.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace bench {

namespace {

namespace fs = std::filesystem;

double monotonicSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// "name:   value" of a /proc status file, as a number; none when it is not there.
std::optional<long long> statusField(const fs::path& file, const std::string& name)
{
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(name + ":", 0) == 0)
            return std::stoll(line.substr(name.size() + 1));
    }
    return std::nullopt;
}

}

std::optional<ProcessSample> ProcessSample::of(pid_t pid)
{
    fs::path process = "/proc/" + std::to_string(pid);
    std::error_code error;
    fs::directory_iterator tasks(process / "task", error);
    if (error)
        return std::nullopt;
    ProcessSample sample;
    sample.at = monotonicSeconds();
    for (const auto& task : tasks) {
        // The first number of schedstat is the thread's time on a processor in nanoseconds.
        std::ifstream schedstat(task.path() / "schedstat");
        long long nanoseconds = 0;
        if (schedstat >> nanoseconds)
            sample.cpuSeconds += double(nanoseconds) / 1e9;
        long long preempted = statusField(task.path() / "status", "nonvoluntary_ctxt_switches").value_or(0);
        sample.switches += statusField(task.path() / "status", "voluntary_ctxt_switches").value_or(0) + preempted;
        sample.preemptions += preempted;
    }
    // A process that has ended but is not yet waited for has no memory left to tell.
    auto residentKilobytes = statusField(process / "status", "VmRSS");
    if (!residentKilobytes)
        return std::nullopt;
    sample.residentMegabytes = double(*residentKilobytes) / 1024;
    return sample;
}

Usage Usage::between(const ProcessSample& first, const ProcessSample& last)
{
    Usage usage;
    usage.seconds = last.at - first.at;
    if (usage.seconds > 0) {
        usage.cpuPercent = 100 * (last.cpuSeconds - first.cpuSeconds) / usage.seconds;
        usage.wakeUpsPerSecond = double(last.switches - first.switches) / usage.seconds;
        usage.preemptionsPerSecond = double(last.preemptions - first.preemptions) / usage.seconds;
    }
    usage.residentMegabytes = last.residentMegabytes;
    return usage;
}

std::optional<Usage> measure(pid_t pid, double seconds)
{
    auto first = ProcessSample::of(pid);
    if (!first)
        return std::nullopt;
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    auto last = ProcessSample::of(pid);
    if (!last)
        return std::nullopt;
    return Usage::between(*first, *last);
}

}
