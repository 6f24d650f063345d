#include "tests/acceptance/driver/Screenshot.h"

#include "platform/gfx/Bitmap.h"

#include <cmath>

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

bool Screenshot::savePng(const std::filesystem::path& file) const
{
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    return m_pixels->savePng(file);
}

bool Screenshot::sameAs(const Screenshot& other) const
{
    if (width() != other.width() || height() != other.height())
        return false;
    for (int y = 0; y < height(); ++y)
        for (int x = 0; x < width(); ++x)
            if (!(at(x, y) == other.at(x, y)))
                return false;
    return true;
}

}
