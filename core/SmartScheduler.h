#pragma once

#include "core/TimedStateMachine.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace ostrel {

class SmartTimerWrapper;

// Fires once per simulated second and, from the whole seconds passed since it last fired,
// ticks its subscribers once or replays the gap.
class SmartScheduler : public std::enable_shared_from_this<SmartScheduler> {
public:
    static std::shared_ptr<SmartScheduler> create();

    void start();
    void timerFired();

    std::vector<std::shared_ptr<ScheduledItemType>> subscribers;
    double lastFired { 0 };
    int64_t lastSecondFired { 0 };
    // Holders stop it (SmartTimerWrapper::stop) and set it to null.
    std::shared_ptr<SmartTimerWrapper> timer;

private:
    SmartScheduler() = default;
};

}
