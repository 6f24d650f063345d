#include "tests/acceptance/driver/Screenshot.h"

#include "platform/gfx/Bitmap.h"

#include <cairo.h>
#include <cmath>
#include <cstring>

namespace ostrel::acceptance {

Screenshot::Screenshot(std::shared_ptr<gfx::Bitmap> pixels)
    : m_pixels(std::move(pixels))
{
}

int Screenshot::width() const { return m_pixels->width(); }

int Screenshot::height() const { return m_pixels->height(); }

gfx::Color Screenshot::at(int x, int y) const { return m_pixels->pixel(x, y); }

int Screenshot::count(const Box& box, const gfx::Color& color, double tolerance) const
{
    int n = 0;
    for (int y = box.y; y < box.y + box.height; ++y) {
        for (int x = box.x; x < box.x + box.width; ++x) {
            auto pixel = at(x, y);
            n += pixel.alpha > 0 && std::abs(pixel.red - color.red) <= tolerance
                && std::abs(pixel.green - color.green) <= tolerance && std::abs(pixel.blue - color.blue) <= tolerance;
        }
    }
    return n;
}

bool Screenshot::sameAs(const Screenshot& other) const
{
    if (width() != other.width() || height() != other.height())
        return false;
    auto* mine = m_pixels->cairoSurface();
    auto* theirs = other.m_pixels->cairoSurface();
    cairo_surface_flush(mine);
    cairo_surface_flush(theirs);
    int stride = cairo_image_surface_get_stride(mine);
    if (stride != cairo_image_surface_get_stride(theirs))
        return false;
    return std::memcmp(cairo_image_surface_get_data(mine), cairo_image_surface_get_data(theirs),
               std::size_t(stride) * std::size_t(height()))
        == 0;
}

bool Screenshot::savePng(const std::filesystem::path& file) const
{
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    return m_pixels->savePng(file);
}

}
