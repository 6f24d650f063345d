#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

#include <cstddef>
#include <memory>
#include <optional>

namespace gfx {
class Image;
}

namespace ostrel {

// The pads' icons in both selectors of the main window. A text pad whose background colour
// was changed shows its icon in that colour (hue kept, saturation and brightness raised to at
// least 0.5); an untouched one (within 0.01 of its registered colour) shows the standard icon.
class PadIcons {
public:
    // The tint of a text pad's icon, none for the standard icon.
    static std::optional<gfx::Color> customTint(std::size_t padIndex);
    // The icon the row selector inside an open pad shows.
    static std::shared_ptr<gfx::Image> image(std::size_t padIndex);
    // The icon the left-column selector draws in a frame.
    static void draw(std::size_t padIndex, const gfx::Rect& frame);
};

}
