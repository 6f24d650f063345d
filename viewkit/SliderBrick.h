#pragma once

#include "viewkit/BrickType.h"
#include "viewkit/DrawingStack.h"
#include "viewkit/SmartSliderBrickCell.h"

#include "platform/ui/Slider.h"

#include <functional>
#include <memory>
#include <optional>

namespace ostrel {

// A slider over 0…1 that reports each move to its closure and shows what the closure
// answers: a closure that snaps its input (to quarters, to whole minutes) makes the slider
// snap. Its tick marks take no room unless asked to.
class SliderBrick : public ui::Slider, public BrickType {
public:
    static std::shared_ptr<SliderBrick> create(std::function<float(float)> action = {});

    std::function<float(float)> sliderValueChangedFunc;

    const std::optional<DrawingStack>& normalSliderKnobDrawingStack() const { return m_normalSliderKnobDrawingStack; }
    void setNormalSliderKnobDrawingStack(std::optional<DrawingStack> stack);
    const std::optional<DrawingStack>& normalDrawBarInsideDrawingStack() const { return m_normalDrawBarInsideDrawingStack; }
    void setNormalDrawBarInsideDrawingStack(std::optional<DrawingStack> stack);
    bool returnZeroRectForTickMarks() const { return m_returnZeroRectForTickMarks; }
    void setReturnZeroRectForTickMarks(bool zero) { m_returnZeroRectForTickMarks = zero; }
    const std::shared_ptr<SmartSliderBrickCell>& cell() const { return m_cell; }

    // Without a closure a move is simply kept.
    void actionMethod();
    ui::Rect rectOfTickMark(int index) const override;

    SliderBrick& small() override;
    void apply(const ControlSkin&) override { }

protected:
    SliderBrick();

private:
    std::optional<DrawingStack> m_normalSliderKnobDrawingStack;
    std::optional<DrawingStack> m_normalDrawBarInsideDrawingStack;
    bool m_returnZeroRectForTickMarks { true };
    std::shared_ptr<SmartSliderBrickCell> m_cell;
};

}
