#include "viewkit/PushButtonBrick.h"

#include "viewkit/ControlSkin.h"

namespace ostrel {

std::shared_ptr<PushButtonBrick> PushButtonBrick::create(std::optional<std::string> title, std::function<void()> action)
{
    std::shared_ptr<PushButtonBrick> brick(new PushButtonBrick);
    brick->buttonPressFunction = std::move(action);
    if (title)
        brick->setTitle(*title);
    brick->setControlSize(ui::ControlSize::Regular);
    return brick;
}

PushButtonBrick::PushButtonBrick()
    : ui::Button({}, ui::ButtonType::MomentaryPushIn)
{
    setBezelStyle(ui::BezelStyle::Rounded);
    setTranslatesAutoresizingMaskIntoConstraints(false);
    // The control owns these closures, so they reach it by the reference they are given.
    onAction = [this] { buttonPressedCallBack(); };
    setDrawHook([](ui::Control& control, gfx::GraphicsContext& context, const ui::Rect& bounds) {
        auto& brick = static_cast<PushButtonBrick&>(control);
        bool highlighted = brick.isHighlighted();
        return BricksDrawingHelper::draw(context, bounds, highlighted ? brick.m_highlightedDrawingStack : brick.m_normalDrawingStack,
            highlighted ? brick.m_highlightedDrawFunc : brick.m_normalDrawFunc, brick.drawingAssets());
    });
}

void PushButtonBrick::buttonPressedCallBack()
{
    if (auto press = buttonPressFunction)
        press();
}

std::vector<DrawingAsset> PushButtonBrick::drawingAssets() const { return BricksDrawingHelper::buttonAssets(*this); }

void PushButtonBrick::setNormalDrawingStack(std::optional<DrawingStack> stack)
{
    m_normalDrawingStack = std::move(stack);
    setNeedsDisplay();
}

void PushButtonBrick::setHighlightedDrawingStack(std::optional<DrawingStack> stack)
{
    m_highlightedDrawingStack = std::move(stack);
    setNeedsDisplay();
}

void PushButtonBrick::setNormalDrawFunc(std::optional<ButtonDrawingFuncType> function)
{
    m_normalDrawFunc = std::move(function);
    setNeedsDisplay();
}

void PushButtonBrick::setHighlightedDrawFunc(std::optional<ButtonDrawingFuncType> function)
{
    m_highlightedDrawFunc = std::move(function);
    setNeedsDisplay();
}

PushButtonBrick& PushButtonBrick::small()
{
    setControlSize(ui::ControlSize::Small);
    return *this;
}

void PushButtonBrick::apply(const ControlSkin& skin)
{
    setNormalDrawingStack(skin.normalPushButtonDrawingStack(*this));
    setHighlightedDrawingStack(skin.highlightedPushButtonDrawingStack(*this));
}

}
