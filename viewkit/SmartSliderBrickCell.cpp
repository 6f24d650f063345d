#include "viewkit/SmartSliderBrickCell.h"

#include "viewkit/SliderBrick.h"

#include "platform/base/Diagnostics.h"

namespace ostrel {

bool SmartSliderBrickCell::drawKnob(const gfx::Rect& knobRect) const
{
    auto brick = slider();
    if (!brick)
        base::fatal("SmartSliderBrickCell: drawn without its slider");
    if (!brick->normalSliderKnobDrawingStack())
        return false;
    brick->normalSliderKnobDrawingStack()->draw(knobRect);
    return true;
}

bool SmartSliderBrickCell::drawBar(const gfx::Rect& rect, bool) const
{
    auto brick = slider();
    if (!brick)
        base::fatal("SmartSliderBrickCell: drawn without its slider");
    if (!brick->normalDrawBarInsideDrawingStack())
        return false;
    brick->normalDrawBarInsideDrawingStack()->draw(rect);
    return true;
}

}
