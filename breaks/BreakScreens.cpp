#include "breaks/BreakScreens.h"

#include "breaks/InformalBreakState.h"
#include "breaks/PrepareTimedBreakState.h"
#include "breaks/SoftBreakState.h"
#include "breaks/TimedBreakRunningState.h"

#include "states/StateLinkingHelper.h"

namespace ostrel {

void registerBreakScreens()
{
    StateLinkingHelper::registerScreenFactory("PrepareTimedBreakState",
        [](DataModel& model) -> std::shared_ptr<BaseState> { return PrepareTimedBreakState::create(model); });
    StateLinkingHelper::registerScreenFactory("InformalBreakState",
        [](DataModel& model) -> std::shared_ptr<BaseState> { return InformalBreakState::create(model); });
    StateLinkingHelper::registerScreenFactory("TimedBreakRunningState",
        [](DataModel& model) -> std::shared_ptr<BaseState> { return TimedBreakRunningState::create(model); });
    StateLinkingHelper::registerScreenFactory("SoftBreakState",
        [](DataModel& model) -> std::shared_ptr<BaseState> { return SoftBreakState::create(model); });
}

}
