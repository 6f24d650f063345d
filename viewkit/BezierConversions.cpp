#include "viewkit/BezierConversions.h"

#include "platform/gfx/TextLayout.h"

namespace ostrel {

gfx::Path bezierWithFont(std::string_view text, const gfx::Font& font)
{
    gfx::Path outline = gfx::textOutline(text, font);
    if (!outline.isEmpty())
        outline.transform(gfx::AffineTransform::translation(0, -outline.bounds().minY()));
    return outline;
}

}
