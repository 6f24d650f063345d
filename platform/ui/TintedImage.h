#pragma once

#include "platform/gfx/Color.h"
#include "platform/ui/Geometry.h"

#include <memory>

namespace gfx {
class Bitmap;
class Image;
}

namespace ui {

// A template image drawn in one colour again and again (the status strip's icon, redrawn
// with its title every second): tinted into pixels once and copied from them after, where
// the copy lands on whole pixels at the context's own scale; drawn from its vectors anywhere
// else, as it would be without this.
class TintedImage {
public:
    // Draws `image` tinted into `target` (the image's own size) in the current context.
    void draw(const std::shared_ptr<gfx::Image>& image, const Rect& target, gfx::Color tint);

private:
    std::shared_ptr<gfx::Image> m_image;
    gfx::Color m_tint;
    double m_scale { 0 };
    std::shared_ptr<gfx::Bitmap> m_pixels;
};

}
