#include "viewkit/ColorWellBrick.h"

namespace ostrel {

std::shared_ptr<ColorWellBrick> ColorWellBrick::create() { return std::shared_ptr<ColorWellBrick>(new ColorWellBrick); }

ColorWellBrick::ColorWellBrick()
    : ui::ColorWell(gfx::colors::white)
{
    setTranslatesAutoresizingMaskIntoConstraints(false);
    onAction = [this] { colorChangedCallBack(); };
}

void ColorWellBrick::colorChangedCallBack()
{
    if (auto report = valueChangedFunc)
        report(color());
}

}
