#include "viewkit/SliderBrick.h"

namespace ostrel {

std::shared_ptr<SliderBrick> SliderBrick::create(std::function<float(float)> action)
{
    std::shared_ptr<SliderBrick> brick(new SliderBrick);
    brick->sliderValueChangedFunc = std::move(action);
    brick->m_cell = std::make_shared<SmartSliderBrickCell>();
    brick->m_cell->setSlider(brick);
    auto cell = brick->m_cell;
    brick->setKnobHook([cell](ui::Slider&, gfx::GraphicsContext&, const ui::Rect& rect) { return cell->drawKnob(rect); });
    brick->setBarHook([cell](ui::Slider& slider, gfx::GraphicsContext&, const ui::Rect& rect) {
        return cell->drawBar(rect, slider.isFlipped());
    });
    return brick;
}

SliderBrick::SliderBrick()
    : ui::Slider(0, 1, 0)
{
    setTranslatesAutoresizingMaskIntoConstraints(false);
    onAction = [this] { actionMethod(); };
}

void SliderBrick::actionMethod()
{
    if (!sliderValueChangedFunc)
        return;
    float current = static_cast<float>(doubleValue());
    float shown = sliderValueChangedFunc(current);
    if (shown != current)
        setDoubleValue(shown);
}

ui::Rect SliderBrick::rectOfTickMark(int index) const
{
    return m_returnZeroRectForTickMarks ? ui::Rect {} : ui::Slider::rectOfTickMark(index);
}

void SliderBrick::setNormalSliderKnobDrawingStack(std::optional<DrawingStack> stack)
{
    m_normalSliderKnobDrawingStack = std::move(stack);
    setNeedsDisplay();
}

void SliderBrick::setNormalDrawBarInsideDrawingStack(std::optional<DrawingStack> stack)
{
    m_normalDrawBarInsideDrawingStack = std::move(stack);
    setNeedsDisplay();
}

SliderBrick& SliderBrick::small()
{
    setControlSize(ui::ControlSize::Small);
    return *this;
}

}
