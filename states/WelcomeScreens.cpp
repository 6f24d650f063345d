#include "states/WelcomeScreens.h"

#include "states/StateLinkingHelper.h"
#include "states/WelcomeState.h"

namespace ostrel {

void registerWelcomeScreens()
{
    // One factory serves all three: the wiring asks it once per screen, so each has its own views.
    StateLinkingHelper::registerScreenFactory("WelcomeState",
        [](DataModel& model) -> std::shared_ptr<BaseState> { return WelcomeState::create(model); });
}

}
