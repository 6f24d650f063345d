#include "states/TimeSliceScreens.h"

#include "states/PausedState.h"
#include "states/RateTimeSliceState.h"
#include "states/StateLinkingHelper.h"
#include "states/TimeSliceRunningState.h"

namespace ostrel {

void registerTimeSliceScreens()
{
    StateLinkingHelper::registerScreenFactory("TimeSliceRunningState", [](DataModel& model) { return TimeSliceRunningState::create(model); });
    StateLinkingHelper::registerScreenFactory("PausedState", [](DataModel& model) { return PausedState::create(model); });
    StateLinkingHelper::registerScreenFactory("RateTimeSliceState", [](DataModel& model) { return RateTimeSliceState::create(model); });
}

}
