#pragma once

#include "platform/gfx/Color.h"

#include <memory>

namespace gfx {

class Image;

// Effects that work on an image's pixels (rasterised at `scale` pixels per point) and answer
// a new picture of them; the image itself comes back when it has no pixels to work on.

// Every colour turned to its opposite (white to black, red to cyan), the alpha kept; at the
// image's size.
std::shared_ptr<Image> inverted(const std::shared_ptr<Image>& image, double scale = 2);
// Every pixel that is not transparent takes `color`, keeping its own coverage, as a shape
// filled in one colour; the new image measures the image's pixels at one pixel per point.
std::shared_ptr<Image> applyColor(const std::shared_ptr<Image>& image, const Color& color);

}
