#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Gradient.h"
#include "platform/gfx/Path.h"
#include "platform/gfx/Shadow.h"

#include <optional>
#include <string>
#include <string_view>

namespace ostrel {

// The older interface's small drawing library: ready-made gradients, shadows and colours,
// box outlines with arrows, colours read from settings and outlined text. Stateless.
class BezierPathUtility {
public:
    BezierPathUtility() = delete;

    static const gfx::Gradient& whiteGradient();
    static const gfx::Gradient& blueGradient();
    static const gfx::Gradient& purpleGradient();
    static const gfx::Gradient& greenGradient();
    static const gfx::Gradient& disabledGradientForText();
    static const gfx::Gradient& silverGradientForText();
    static const gfx::Shadow& darkTextShadow();
    // The white glow of a focused control.
    static const gfx::Shadow& focusRingShadow();
    static const gfx::Shadow& shadow();
    static float alphaValue() { return 0.7f; }
    static gfx::Color strokeColor();
    static const gfx::Gradient& normalGradient();
    static const gfx::Gradient& pushedGradient();
    static const gfx::Gradient& highlightGradient();
    static const gfx::Gradient& knobColor();
    static const gfx::Gradient& disabledKnobColor();
    static const gfx::Gradient& highlightKnobColor();

    // A colour kept in the standard settings, opaque. A stored value that does not read is
    // outside input: the key's registered colour is used instead, with a logged line.
    static gfx::Color colorWithKey(const std::string& key);
    // The stored colour with the opacity read from `alphaKey`.
    static gfx::Color colorWithKey(const std::string& key, const std::string& alphaKey);
    // As above, the opacity 0.7 times the stored one and at least 0.2.
    static gfx::Color inactiveColorWithKey(const std::string& key, const std::string& alphaKey);

    // Outlines in y-up coordinates, line width 1 and miter limit 0 unless said otherwise.
    static gfx::Path bezierPathForEventBoxWithoutArrows(const gfx::Rect& rect, double inset);
    static gfx::Path bezierPathForEventBoxWithRightArrow(const gfx::Rect& rect, double inset);
    static gfx::Path bezierPathForEventBoxWithLeftArrow(const gfx::Rect& rect, double inset);
    static gfx::Path bezierPathForEventBoxWithBothArrows(const gfx::Rect& rect, double inset);
    static gfx::Path bezierPathForRightFacingArrow(const gfx::Rect& rect);
    static gfx::Path bezierDownBoxFittingInRect(const gfx::Rect& rect, double triangleCenterX, double inset);
    // A rounded box with an arrow on top whose apex is at (triangleCenterX, top); miter joins,
    // the line width left as it is.
    static gfx::Path bezierPathFittingInRect(const gfx::Rect& rect, double triangleCenterX, double cornerRadius, double inset);
    // Moves the path by half a point both ways, for crisp one-point lines; answers it.
    static gfx::Path& offsetByHalfPixelForDrawing(gfx::Path& path);

    // The text outlined in "Helvetica Neue Bold" 14, centred in the rectangle upright for a
    // flipped view, stroked in the outline colour (with the shadow, if any) and filled with
    // the gradient.
    static void drawText(std::string_view text, const gfx::Rect& rect, const gfx::Gradient& gradient,
        const std::optional<gfx::Shadow>& shadow, const gfx::Color& outlineColor);

private:
    static gfx::Color storedColor(const std::string& key, const std::string& unreadableLine);
};

}
