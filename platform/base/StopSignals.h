#pragma once

#include "platform/base/RunLoop.h"

#include <functional>
#include <memory>

namespace base {

// SIGINT and SIGTERM as a readable descriptor of the main loop instead of as handlers: the
// program hears of them between two pieces of work, in any mode, even with an alert up, and
// can still save and say goodbye. While an instance lives the two signals are blocked for
// the whole process, so none ends it unheard.
class StopSignals {
public:
    using Handler = std::function<void(int signal)>;

    // Nothing when the signals cannot be read this way (the reason is logged).
    static std::unique_ptr<StopSignals> install(Handler handler);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // "SIGTERM", "SIGINT".
    static const char* name(int signal);

private:
    StopSignals() = default;

    int m_fd { -1 };
    RunLoop::SourceId m_source { 0 };
    Handler m_handler;
};

}
