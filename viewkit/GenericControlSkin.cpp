#include "viewkit/GenericControlSkin.h"

#include "drawing/BricksDrawing.h"

#include "platform/ui/Button.h"

namespace ostrel {

std::optional<DrawingStack> GenericControlSkin::normalPushButtonDrawingStack(ui::Button& button) const
{
    return stackOf(drawPushButton, defaultNormalFillAndStrokeAndTextColorsPalette(), button);
}

std::optional<DrawingStack> GenericControlSkin::highlightedPushButtonDrawingStack(ui::Button& button) const
{
    auto palette = DrawingPalette::gradientAndStrokeAndTextColors(BricksDrawing::standardHighlightGradient(),
        BricksDrawing::standardHighlightedStroke(), BricksDrawing::standardHighlightedText());
    return stackOf(drawPushButtonWithGradient, std::move(palette), button);
}

DrawingPalette GenericControlSkin::labelPalette() const
{
    auto palette = defaultNormalFillAndStrokeAndTextColorsPalette();
    if (auto* colors = palette.as<DrawingPalette::FillAndStrokeAndTextColors>())
        return DrawingPalette::textColor(colors->textColor);
    return DrawingPalette::textColor(gfx::colors::red);
}

DrawingPalette GenericControlSkin::defaultHighlightedFillAndStrokeAndTextColorsPalette() const
{
    return DrawingPalette::fillAndStrokeAndTextColors(
        BricksDrawing::highlightGradientEnd(), BricksDrawing::standardHighlightedStroke(), BricksDrawing::standardHighlightedText());
}

DrawingPalette GenericControlSkin::defaultNormalFillAndStrokeAndTextColorsPalette() const
{
    return DrawingPalette::fillAndStrokeAndTextColors(
        BricksDrawing::standardFill(), BricksDrawing::standardStroke(), BricksDrawing::standardText());
}

GenericControlSkin::FaceColors GenericControlSkin::faceColorsOf(const DrawingPalette& palette)
{
    if (auto* all = palette.as<DrawingPalette::FillAndStrokeAndTextColors>())
        return { all->fill, all->stroke, all->textColor };
    if (auto* two = palette.as<DrawingPalette::FillAndStrokeColors>())
        return { two->fill, two->stroke, gfx::colors::clear };
    if (auto* frame = palette.as<DrawingPalette::FrameColor>())
        return { gfx::colors::clear, frame->color, gfx::colors::clear };
    return { gfx::colors::red, gfx::colors::red, gfx::colors::red };
}

void GenericControlSkin::drawPushButton(const gfx::Rect& frame, const std::vector<DrawingAsset>& assets, const DrawingPalette& palette)
{
    FaceColors colors = faceColorsOf(palette);
    BricksDrawing::drawPushButton(frame, colors.fill, colors.stroke, colors.text, BricksDrawing::lightShadow(), titleOfAssets(assets));
}

void GenericControlSkin::drawPushButtonWithGradient(
    const gfx::Rect& frame, const std::vector<DrawingAsset>& assets, const DrawingPalette& palette)
{
    if (auto* colors = palette.as<DrawingPalette::GradientAndStrokeAndTextColors>()) {
        BricksDrawing::drawPushButtonWithGradient(frame, colors->stroke, colors->textColor, colors->gradient, titleOfAssets(assets));
        return;
    }
    BricksDrawing::drawPushButtonWithGradient(frame, gfx::colors::red, gfx::colors::red,
        gfx::Gradient(gfx::colors::red, gfx::colors::blue), titleOfAssets(assets));
}

}
