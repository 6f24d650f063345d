#include "platform/gfx/Bitmap.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/Files.h"

#include <cairo.h>
#include <cstdint>

namespace gfx {

namespace {
constexpr int kLargestSide = 32768;
}

std::shared_ptr<Bitmap> Bitmap::create(int width, int height)
{
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide)
        return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::shared_ptr<Bitmap>(new Bitmap(surface));
}

std::shared_ptr<Bitmap> Bitmap::loadPng(const std::filesystem::path& path)
{
    cairo_surface_t* loaded = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(loaded) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(loaded);
        base::diagnostic("graphics: cannot read PNG " + path.string());
        return nullptr;
    }
    // Whatever the file's format, keep one pixel layout for everything downstream.
    auto bitmap = create(cairo_image_surface_get_width(loaded), cairo_image_surface_get_height(loaded));
    if (bitmap) {
        cairo_t* cr = cairo_create(bitmap->m_surface);
        cairo_set_source_surface(cr, loaded, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_destroy(cr);
    }
    cairo_surface_destroy(loaded);
    return bitmap;
}

Bitmap::~Bitmap() { cairo_surface_destroy(m_surface); }

int Bitmap::width() const { return cairo_image_surface_get_width(m_surface); }

int Bitmap::height() const { return cairo_image_surface_get_height(m_surface); }

Color Bitmap::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return colors::clear;
    cairo_surface_flush(m_surface);
    const unsigned char* row = cairo_image_surface_get_data(m_surface) + y * cairo_image_surface_get_stride(m_surface);
    uint32_t argb = reinterpret_cast<const uint32_t*>(row)[x];
    double a = ((argb >> 24) & 0xff) / 255.0;
    if (a == 0)
        return colors::clear;
    auto channel = [&](int shift) { return std::min(1.0, ((argb >> shift) & 0xff) / 255.0 / a); };
    return { channel(16), channel(8), channel(0), a };
}

bool Bitmap::savePng(const std::filesystem::path& path) const
{
    cairo_surface_flush(m_surface);
    std::string png;
    auto append = [](void* closure, const unsigned char* data, unsigned int length) {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
    };
    if (cairo_surface_write_to_png_stream(m_surface, append, &png) != CAIRO_STATUS_SUCCESS)
        return false;
    return base::files::writeAtomically(path, png);
}

std::unique_ptr<GraphicsContext> Bitmap::makeContext(double scale, bool flipped)
{
    return GraphicsContext::create(m_surface, scale, flipped);
}

}
