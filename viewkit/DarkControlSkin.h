#pragma once

#include "viewkit/GenericControlSkin.h"

namespace ostrel {

// The dark skin: dark faces with light outlines, green labels and titles (the platform's
// green), grey faces while pressed; it also paints pull-down buttons and check boxes.
class DarkControlSkin : public GenericControlSkin {
public:
    std::optional<DrawingStack> highlightedPushButtonDrawingStack(ui::Button& button) const override;
    std::optional<DrawingStack> pullDownButtonDrawingStack(PullDownButtonBrick& pullDownButton) const override;
    std::optional<DrawingStack> highlightedPullDownButtonDrawingStack(PullDownButtonBrick& pullDownButton) const override;
    std::optional<DrawingStack> checkBoxOffDrawingStack(CheckBoxBrick& checkBox) const override;
    std::optional<DrawingStack> checkBoxOnDrawingStack(CheckBoxBrick& checkBox) const override;
    DrawingPalette defaultNormalFillAndStrokeAndTextColorsPalette() const override;

    static void drawRoundedPullDownButton(const gfx::Rect& frame, const std::vector<DrawingAsset>& assets, const DrawingPalette& palette);

    class DrawingFunctions {
    public:
        static void drawCheckBoxInOffState(const gfx::Rect& frame, const std::vector<DrawingAsset>& assets, const DrawingPalette& palette);
        static void drawCheckBoxInOnState(const gfx::Rect& frame, const std::vector<DrawingAsset>& assets, const DrawingPalette& palette);
    };

private:
    static DrawingPalette highlightedPalette();
};

}
