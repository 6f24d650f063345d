#pragma once

namespace ostrel {

// Whatever can say how much of something is done: 0 at the start, 1 at the end. The rest
// screen's dial asks the running timed break.
class ProportionValueProvider {
public:
    virtual ~ProportionValueProvider() = default;
    virtual double currentProportion() const = 0;
};

}
