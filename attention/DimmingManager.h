#pragma once

#include <cstdint>
#include <memory>

namespace ostrel {

// Darkens every display before the end of a slice or a timed break: a black flash twice as
// long as the time asked for, rising for that time to the user's dimming strength and
// falling for as long again.
class DimmingManager {
public:
    static DimmingManager& sharedManager();
    // Tests record the requests; none puts the real one back.
    static void setSharedManager(std::shared_ptr<DimmingManager> manager);

    DimmingManager() = default;
    virtual ~DimmingManager() = default;

    // `alpha` out of 0 … 1 is brought within it.
    virtual void startBlackOutWithDuration(int64_t seconds, float alpha);
};

}
