#include "platform/base/Diagnostics.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <unistd.h>
#include <utility>

extern char* program_invocation_short_name;

namespace base {

namespace {
std::mutex& sinkMutex()
{
    static std::mutex mutex;
    return mutex;
}

// Held while a sink runs: lines come from the main thread and the serial queue alike, and a
// test's sink (a list it appends to) must never run twice at once. Recursive, so that a sink
// that itself writes a line does not stop the program.
std::recursive_mutex& sinkCallMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

DiagnosticSink& currentSink()
{
    static DiagnosticSink sink;
    return sink;
}

void writeToStandardError(std::string_view line)
{
    auto now = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    int millis = int(std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm local {};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::fprintf(stderr, "%s[%d] %s.%03d %.*s\n", program_invocation_short_name, int(getpid()), stamp, millis,
        int(line.size()), line.data());
}
}

void diagnostic(std::string_view line)
{
    DiagnosticSink sink;
    {
        std::lock_guard lock(sinkMutex());
        sink = currentSink();
    }
    if (sink) {
        std::lock_guard calling(sinkCallMutex());
        sink(line);
    } else
        writeToStandardError(line);
}

DiagnosticSink setDiagnosticSink(DiagnosticSink sink)
{
    std::lock_guard lock(sinkMutex());
    return std::exchange(currentSink(), std::move(sink));
}

void fatal(std::string_view message)
{
    writeToStandardError(std::string("fatal: ").append(message));
    std::abort();
}

}
