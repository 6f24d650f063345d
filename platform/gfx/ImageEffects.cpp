#include "platform/gfx/ImageEffects.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Image.h"

#include <cairo.h>
#include <cstdint>

namespace gfx {

std::shared_ptr<Image> inverted(const std::shared_ptr<Image>& image, double scale)
{
    auto bitmap = image ? image->rasterize(scale) : nullptr;
    if (!bitmap)
        return image;
    cairo_surface_t* surface = bitmap->cairoSurface();
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < bitmap->height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < bitmap->width(); ++x) {
            std::uint32_t pixel = row[x];
            std::uint32_t alpha = pixel >> 24;
            // Premultiplied: a component c of coverage a becomes a - c, which is 1 - c unmultiplied.
            std::uint32_t red = alpha - ((pixel >> 16) & 0xff);
            std::uint32_t green = alpha - ((pixel >> 8) & 0xff);
            std::uint32_t blue = alpha - (pixel & 0xff);
            row[x] = (alpha << 24) | (red << 16) | (green << 8) | blue;
        }
    }
    cairo_surface_mark_dirty(surface);
    return Image::fromBitmap(std::move(bitmap), scale);
}

std::shared_ptr<Image> applyColor(const std::shared_ptr<Image>& image, const Color& color)
{
    auto bitmap = image ? image->rasterize(1) : nullptr;
    if (!bitmap)
        return image;
    {
        auto context = bitmap->makeContext();
        GraphicsContext::MakeCurrent current(*context);
        context->setOperation(Operation::sourceAtop);
        context->setFillColor(color);
        context->fillRect(Rect(0, 0, bitmap->width(), bitmap->height()));
    }
    return Image::fromBitmap(std::move(bitmap), 1);
}

}
