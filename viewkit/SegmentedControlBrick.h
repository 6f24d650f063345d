#pragma once

#include "viewkit/BrickType.h"

#include "platform/ui/SegmentedControl.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ostrel {

// Segments that report the index of the one chosen.
class SegmentedControlBrick : public ui::SegmentedControl, public BrickType {
public:
    static std::shared_ptr<SegmentedControlBrick> create(std::vector<std::string> titles = {},
        std::function<void(int)> action = {});

    std::function<void(int)> selectionChangedFunction;

    void selectionChangedCallBack();
    SegmentedControlBrick& small() override;
    void apply(const ControlSkin&) override { }

protected:
    explicit SegmentedControlBrick(std::vector<std::string> titles);
};

}
