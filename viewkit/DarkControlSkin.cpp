#include "viewkit/DarkControlSkin.h"

#include "viewkit/CheckBoxBrick.h"
#include "viewkit/PullDownButtonBrick.h"

#include "drawing/BricksDrawing.h"

namespace ostrel {

DrawingPalette DarkControlSkin::highlightedPalette()
{
    return DrawingPalette::fillAndStrokeAndTextColors(
        BricksDrawing::darkHighlightedFill(), BricksDrawing::darkHighlightedStroke(), BricksDrawing::darkHighlightedText());
}

DrawingPalette DarkControlSkin::defaultNormalFillAndStrokeAndTextColorsPalette() const
{
    return DrawingPalette::fillAndStrokeAndTextColors(BricksDrawing::darkFill(), BricksDrawing::darkStroke(), gfx::colors::green);
}

std::optional<DrawingStack> DarkControlSkin::highlightedPushButtonDrawingStack(ui::Button& button) const
{
    return stackOf(drawPushButton, highlightedPalette(), button);
}

std::optional<DrawingStack> DarkControlSkin::pullDownButtonDrawingStack(PullDownButtonBrick& pullDownButton) const
{
    return stackOf(drawRoundedPullDownButton, DarkControlSkin::defaultNormalFillAndStrokeAndTextColorsPalette(),
        pullDownButton);
}

std::optional<DrawingStack> DarkControlSkin::highlightedPullDownButtonDrawingStack(PullDownButtonBrick& pullDownButton) const
{
    return stackOf(drawRoundedPullDownButton, highlightedPalette(), pullDownButton);
}

std::optional<DrawingStack> DarkControlSkin::checkBoxOffDrawingStack(CheckBoxBrick& checkBox) const
{
    return stackOf(DrawingFunctions::drawCheckBoxInOffState, DarkControlSkin::defaultNormalFillAndStrokeAndTextColorsPalette(),
        checkBox);
}

std::optional<DrawingStack> DarkControlSkin::checkBoxOnDrawingStack(CheckBoxBrick& checkBox) const
{
    return stackOf(DrawingFunctions::drawCheckBoxInOnState, DarkControlSkin::defaultNormalFillAndStrokeAndTextColorsPalette(),
        checkBox);
}

void DarkControlSkin::drawRoundedPullDownButton(const gfx::Rect& frame, const std::vector<DrawingAsset>& assets, const DrawingPalette& palette)
{
    FaceColors colors = faceColorsOf(palette);
    BricksDrawing::drawRoundedPullDownButton(frame, colors.fill, colors.stroke, colors.text, titleOfAssets(assets));
}

void DarkControlSkin::DrawingFunctions::drawCheckBoxInOffState(
    const gfx::Rect& frame, const std::vector<DrawingAsset>& assets, const DrawingPalette& palette)
{
    FaceColors colors = faceColorsOf(palette);
    BricksDrawing::drawCheckBoxInOffState(frame, colors.fill, colors.stroke, colors.text, titleOfAssets(assets));
}

void DarkControlSkin::DrawingFunctions::drawCheckBoxInOnState(
    const gfx::Rect& frame, const std::vector<DrawingAsset>& assets, const DrawingPalette& palette)
{
    FaceColors colors = faceColorsOf(palette);
    BricksDrawing::drawCheckBoxInOnState(frame, colors.fill, colors.stroke, colors.text, titleOfAssets(assets));
}

}
