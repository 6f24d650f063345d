#pragma once

#include <memory>
#include <vector>

namespace ostrel {

class TimedStateMachineModule;
class UpdatedViewType;

// What the bubble row of a running slice or break needs of its screen (the timed screens
// implement it): the module of the current activation, none while the screen is not active,
// and the views the screen refreshes every second, in their order.
class RunningTimedScreen {
public:
    virtual ~RunningTimedScreen() = default;
    virtual std::shared_ptr<TimedStateMachineModule> timedStateMachineModule() const = 0;
    virtual std::vector<std::shared_ptr<UpdatedViewType>> updatableViewList() const = 0;
};

}
