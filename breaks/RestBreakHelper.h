#pragma once

#include <memory>

namespace ostrel {

class CountDownViewController;
class TimedBreakRunningState;

// Puts the rest screen over every display for a timed break and takes it down again. The
// last rest screen stays here until the next one replaces it.
class RestBreakHelper {
public:
    static RestBreakHelper& shared();

    const std::shared_ptr<CountDownViewController>& countDownViewController() const { return m_countDownViewController; }

    // After the break's count exists: its dial shows the count's share gone.
    void bringUpRestScreen(const std::shared_ptr<TimedBreakRunningState>& timedBreakRunningState);
    // Every cover down at once, the front given back to the program that had it.
    void removeRestScreen();

private:
    RestBreakHelper() = default;

    std::shared_ptr<CountDownViewController> m_countDownViewController;
};

}
