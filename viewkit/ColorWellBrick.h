#pragma once

#include "viewkit/BrickType.h"

#include "platform/ui/ColorWell.h"

#include <functional>
#include <memory>

namespace ostrel {

// A colour well that reports every colour picked. It has no small variant.
class ColorWellBrick : public ui::ColorWell, public BrickType {
public:
    static std::shared_ptr<ColorWellBrick> create();

    std::function<void(gfx::Color)> valueChangedFunc;

    void colorChangedCallBack();
    ColorWellBrick& small() override { return *this; }
    void apply(const ControlSkin&) override { }

protected:
    ColorWellBrick();
};

}
