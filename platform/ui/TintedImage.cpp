#include "platform/ui/TintedImage.h"

#include "platform/gfx/AffineTransform.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace ui {

namespace {

bool near(double a, double b) { return std::abs(a - b) < 1e-6; }
bool whole(double value) { return near(value, std::round(value)); }

}

void TintedImage::draw(const std::shared_ptr<gfx::Image>& image, const Rect& target, gfx::Color tint)
{
    if (!image)
        return;
    gfx::GraphicsContext& context = gfx::GraphicsContext::requireCurrent();
    double scale = context.baseScale();
    gfx::AffineTransform m = context.ctm();
    Point a = m.apply(target.origin);
    Point b = m.apply({ target.maxX(), target.maxY() });
    double left = std::round(std::min(a.x, b.x));
    double top = std::round(std::min(a.y, b.y));
    // Pixels copied anywhere else than whole pixels at their own scale would come out
    // blurred or cut: there the vectors are drawn.
    bool copyable = m.m12 == 0 && m.m21 == 0 && near(std::abs(m.m11), scale) && near(std::abs(m.m22), scale)
        && target.size == image->size() && whole(std::min(a.x, b.x)) && whole(std::min(a.y, b.y));
    if (!copyable) {
        image->drawTinted(target, tint);
        return;
    }
    if (image != m_image || tint != m_tint || scale != m_scale || !m_pixels) {
        Size size = image->size();
        auto tinted = gfx::Image::create(size, false, [image, tint](const Rect& bounds) {
            image->drawTinted(bounds, tint);
            return true;
        });
        m_pixels = tinted->rasterize(scale);
        m_image = image;
        m_tint = tint;
        m_scale = scale;
    }
    if (!m_pixels)
        return;
    context.paint([&](cairo_t* cr) {
        cairo_identity_matrix(cr);
        cairo_set_source_surface(cr, m_pixels->cairoSurface(), left, top);
        cairo_rectangle(cr, left, top, m_pixels->width(), m_pixels->height());
        cairo_fill(cr);
    });
}

}
