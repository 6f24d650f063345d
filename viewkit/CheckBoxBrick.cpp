#include "viewkit/CheckBoxBrick.h"

#include "viewkit/ControlSkin.h"

namespace ostrel {

std::shared_ptr<CheckBoxBrick> CheckBoxBrick::create(std::string title, std::function<void(bool)> action)
{
    std::shared_ptr<CheckBoxBrick> brick(new CheckBoxBrick);
    brick->setTitle(std::move(title));
    if (action) {
        brick->actualCheckboxFunc = std::move(action);
        brick->reportThroughActionMethod();
    }
    return brick;
}

CheckBoxBrick::CheckBoxBrick()
    : ui::Button({}, ui::ButtonType::Switch)
{
    setTranslatesAutoresizingMaskIntoConstraints(false);
    setDrawHook([](ui::Control& control, gfx::GraphicsContext& context, const ui::Rect& bounds) {
        auto& brick = static_cast<CheckBoxBrick&>(control);
        bool on = brick.state() == ui::ControlStateValue::On;
        return BricksDrawingHelper::draw(context, bounds, on ? brick.m_onStateDrawingStack : brick.m_offStateDrawingStack,
            on ? brick.m_onStateDrawFunc : brick.m_offStateDrawFunc, {});
    });
}

void CheckBoxBrick::reportThroughActionMethod()
{
    onAction = [this] { actionMethod(); };
}

void CheckBoxBrick::actionMethod()
{
    if (auto report = actualCheckboxFunc)
        report(state() == ui::ControlStateValue::On);
}

void CheckBoxBrick::setOnStateDrawingStack(std::optional<DrawingStack> stack)
{
    m_onStateDrawingStack = std::move(stack);
    setNeedsDisplay();
}

void CheckBoxBrick::setOffStateDrawingStack(std::optional<DrawingStack> stack)
{
    m_offStateDrawingStack = std::move(stack);
    setNeedsDisplay();
}

void CheckBoxBrick::setOnStateDrawFunc(std::optional<ButtonDrawingFuncType> function)
{
    m_onStateDrawFunc = std::move(function);
    setNeedsDisplay();
}

void CheckBoxBrick::setOffStateDrawFunc(std::optional<ButtonDrawingFuncType> function)
{
    m_offStateDrawFunc = std::move(function);
    setNeedsDisplay();
}

CheckBoxBrick& CheckBoxBrick::small()
{
    setControlSize(ui::ControlSize::Small);
    return *this;
}

void CheckBoxBrick::apply(const ControlSkin& skin)
{
    setOnStateDrawingStack(skin.checkBoxOnDrawingStack(*this));
    setOffStateDrawingStack(skin.checkBoxOffDrawingStack(*this));
}

}
