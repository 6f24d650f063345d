#pragma once

#include "viewkit/ControlSkin.h"

namespace ostrel {

// The light skin: white push buttons with a grey outline, and the blue gradient while
// pressed; labels in the standard text colour.
class GenericControlSkin : public ControlSkin {
public:
    std::optional<DrawingStack> normalPushButtonDrawingStack(ui::Button& button) const override;
    std::optional<DrawingStack> highlightedPushButtonDrawingStack(ui::Button& button) const override;
    // The text colour of the skin's normal palette; red when that palette has none.
    DrawingPalette labelPalette() const override;

    // The drawing functions of this skin's stacks, of DrawingOperation's shape.
    static void drawPushButtonWithGradient(const gfx::Rect& frame, const std::vector<DrawingAsset>& assets, const DrawingPalette& palette);
    static void drawPushButton(const gfx::Rect& frame, const std::vector<DrawingAsset>& assets, const DrawingPalette& palette);

    virtual DrawingPalette defaultHighlightedFillAndStrokeAndTextColorsPalette() const;
    virtual DrawingPalette defaultNormalFillAndStrokeAndTextColorsPalette() const;

    // The fill, stroke and text colours the skins' flat drawing functions take from a
    // palette: red throughout for a case they do not read.
    struct FaceColors {
        gfx::Color fill;
        gfx::Color stroke;
        gfx::Color text;
    };
    static FaceColors faceColorsOf(const DrawingPalette& palette);
};

}
