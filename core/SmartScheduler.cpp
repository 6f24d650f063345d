#include "core/SmartScheduler.h"

#include "core/Clock.h"
#include "platform/base/Diagnostics.h"

namespace ostrel {

std::shared_ptr<SmartScheduler> SmartScheduler::create()
{
    return std::shared_ptr<SmartScheduler>(new SmartScheduler);
}

void SmartScheduler::start()
{
    lastFired = Clock::now();
    lastSecondFired = Clock::wholeSecond(lastFired);
    // The timer's block holds the scheduler: the chain lives until the timer is stopped.
    auto self = shared_from_this();
    timer = Clock::timerWithSimulatedTimeInterval(1.0, true, [self](base::Timer&) { self->timerFired(); });
}

void SmartScheduler::timerFired()
{
    int64_t currentSecond = Clock::wholeSecond(Clock::now());
    int64_t gap = currentSecond - lastSecondFired;
    // A subscriber's events may stop this scheduler and drop the module; work on a copy.
    auto items = subscribers;
    if (gap == 1) {
        for (auto& item : items)
            item->tick(currentSecond);
        lastSecondFired = currentSecond;
    } else if (gap == 0) {
        // Fired twice within one second: count it as the next second all the same, and
        // let the counter run one ahead until a later firing catches up.
        for (auto& item : items)
            item->tick(currentSecond);
        lastSecondFired += 1;
    } else if (gap >= 2) {
        for (auto& item : items)
            item->fastForward(currentSecond, gap);
        lastSecondFired += gap;
    } else {
        base::diagnostic("smart scheduler called with negative delta " + std::to_string(gap) + "!");
    }
    lastFired = Clock::now();
}

}
