#pragma once

#include "platform/gfx/Color.h"

#include <cstdint>
#include <memory>

namespace ostrel {

// Darkening every screen before the end of a slice or break. The dimming windows come with
// the windows; until they are installed, a black-out is only logged.
class DimmingManager {
public:
    static DimmingManager& sharedManager();
    static void setSharedManager(std::shared_ptr<DimmingManager> manager);

    virtual ~DimmingManager() = default;
    virtual void startBlackOutWithDuration(int64_t seconds, float alpha) = 0;
};

// A short flash of one colour over every screen; logged until the windows install theirs.
class ScreenFadingHelper {
public:
    static ScreenFadingHelper& shared();
    static void setShared(std::shared_ptr<ScreenFadingHelper> helper);

    virtual ~ScreenFadingHelper() = default;
    // The blend fraction is accepted for the callers' sake; the flash does not use it.
    virtual void quickFadeAllScreens(const gfx::Color& color, double blendFraction, double duration) = 0;
};

}
