#pragma once

#include "viewkit/BrickType.h"

#include "platform/ui/Switch.h"

#include <functional>
#include <memory>

namespace ostrel {

// An on/off switch that reports its new state (true when on).
class SwitchBrick : public ui::Switch, public BrickType {
public:
    static std::shared_ptr<SwitchBrick> create();

    std::function<void(bool)> checkBoxChangeFunc;

    void buttonPressedCallBack();
    SwitchBrick& small() override;
    void apply(const ControlSkin&) override { }

protected:
    SwitchBrick();
};

}
