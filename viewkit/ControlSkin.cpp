#include "viewkit/ControlSkin.h"

#include "platform/ui/Button.h"

namespace ostrel {

std::optional<DrawingStack> ControlSkin::normalPushButtonDrawingStack(ui::Button&) const { return std::nullopt; }

std::optional<DrawingStack> ControlSkin::highlightedPushButtonDrawingStack(ui::Button& button) const
{
    return normalPushButtonDrawingStack(button);
}

std::optional<DrawingStack> ControlSkin::pullDownButtonDrawingStack(PullDownButtonBrick&) const { return std::nullopt; }

std::optional<DrawingStack> ControlSkin::highlightedPullDownButtonDrawingStack(PullDownButtonBrick&) const
{
    return std::nullopt;
}

std::optional<DrawingStack> ControlSkin::popUpButtonDrawingStack(PopUpButtonBrick&) const { return std::nullopt; }

std::optional<DrawingStack> ControlSkin::highlightedPopUpButtonDrawingStack(PopUpButtonBrick&) const
{
    return std::nullopt;
}

std::optional<DrawingStack> ControlSkin::checkBoxOffDrawingStack(CheckBoxBrick&) const { return std::nullopt; }

std::optional<DrawingStack> ControlSkin::checkBoxOnDrawingStack(CheckBoxBrick&) const { return std::nullopt; }

DrawingPalette ControlSkin::labelPalette() const { return DrawingPalette::textColor(gfx::colors::red); }

DrawingStack ControlSkin::stackOf(DrawingOperation::Function function, DrawingPalette palette, ui::View& brick)
{
    DrawingOperation operation;
    operation.function = std::move(function);
    operation.frameAdjuster = DrawingOperation::unchangedFrame;
    // Bricks are text providers of their title; any other view has no title to give.
    if (auto provider = std::dynamic_pointer_cast<const TextProviderType>(brick.shared_from_this()))
        operation.assets.push_back(DrawingAsset::textProvider(provider));
    operation.palette = std::move(palette);
    return DrawingStack { { std::move(operation) } };
}

}
