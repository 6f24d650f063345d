#pragma once

#include "platform/base/RunLoop.h"

#include <functional>
#include <memory>

namespace base {

// SIGINT, SIGTERM and SIGHUP heard by the main loop instead of ending the program: it hears of them
// between two pieces of work, in any mode, even with an alert up, and can still save and
// say goodbye. Whichever thread a signal lands on, it only notes it for the loop. One
// instance at a time; the signals' former handling comes back when it goes.
class StopSignals {
public:
    using Handler = std::function<void(int signal)>;

    // Nothing when the signals cannot be read this way (the reason is logged).
    static std::unique_ptr<StopSignals> install(Handler handler);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // "SIGTERM", "SIGINT", "SIGHUP".
    static const char* name(int signal);

private:
    StopSignals() = default;

    // The pipe the handler writes the signal's number into.
    int m_fd { -1 };
    int m_writeFd { -1 };
    RunLoop::SourceId m_source { 0 };
    Handler m_handler;
};

}
