#pragma once

namespace ostrel {

// Something a screen redraws from the current state on its one-second refresh (and after a
// bubble click): the time indicator walls, the bubble rows, and closures for code without a
// view of its own.
class UpdatedViewType {
public:
    virtual ~UpdatedViewType() = default;
    virtual void updateState() = 0;
};

}
