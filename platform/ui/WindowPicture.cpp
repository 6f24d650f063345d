#include "platform/ui/WindowPicture.h"

#include <cairo.h>
#include <cmath>

namespace ui {

bool WindowPicture::ensureBitmap(Size size, double scale)
{
    int width = std::max(1, static_cast<int>(std::ceil(size.width * scale)));
    int height = std::max(1, static_cast<int>(std::ceil(size.height * scale)));
    if (m_bitmap && m_bitmap->width() == width && m_bitmap->height() == height && m_scale == scale)
        return true;
    m_bitmap = gfx::Bitmap::create(width, height);
    m_scale = scale;
    return m_bitmap != nullptr;
}

void WindowPicture::render(Size size, double scale, gfx::Color background, const Content& content)
{
    // A window as large as any display, at a scale no bitmap can hold, still shows: at one
    // pixel per point.
    if (!ensureBitmap(size, scale) && !ensureBitmap(size, 1))
        return;
    cairo_surface_t* target = m_bitmap->cairoSurface();
    bool blend = showsBackdrop(background) && m_backdrop->width() == m_bitmap->width()
        && m_backdrop->height() == m_bitmap->height();
    // Blending draws the content apart first, then lays it over the screen at the alpha.
    std::shared_ptr<gfx::Bitmap> layer = blend ? gfx::Bitmap::create(m_bitmap->width(), m_bitmap->height()) : m_bitmap;
    if (!layer) {
        layer = m_bitmap;
        blend = false;
    }
    m_blended = blend;
    cairo_t* cr = cairo_create(layer->cairoSurface());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, background.red, background.green, background.blue, background.alpha);
    cairo_paint(cr);
    cairo_destroy(cr);
    if (content) {
        auto context = gfx::GraphicsContext::create(layer->cairoSurface(), m_scale, false);
        gfx::GraphicsContext::MakeCurrent current(*context);
        content(*context);
    }
    if (blend) {
        cr = cairo_create(target);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, m_backdrop->cairoSurface(), 0, 0);
        cairo_paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        cairo_set_source_surface(cr, layer->cairoSurface(), 0, 0);
        cairo_paint_with_alpha(cr, m_backdropAlpha);
        cairo_destroy(cr);
    }
    cairo_surface_flush(target);
}

bool WindowPicture::renderPart(std::vector<Rect>& parts, Size size, double scale, gfx::Color background, const Content& content)
{
    int width = std::max(1, static_cast<int>(std::ceil(size.width * scale)));
    int height = std::max(1, static_cast<int>(std::ceil(size.height * scale)));
    // A picture that showed the screen through is drawn whole once it stops doing so.
    if (!m_bitmap || m_blended || showsBackdrop(background) || m_bitmap->width() != width
        || m_bitmap->height() != height || m_scale != scale)
        return false;
    for (Rect& part : parts) {
        // Whole pixels, so that no edge is blended twice.
        part = part.intersection(Rect(0, 0, size.width, size.height));
        if (part.isEmpty())
            continue;
        double left = std::floor(part.minX() * scale) / scale;
        double bottom = std::floor(part.minY() * scale) / scale;
        part = Rect(left, bottom, std::ceil(part.maxX() * scale) / scale - left, std::ceil(part.maxY() * scale) / scale - bottom);
    }
    std::erase_if(parts, [](const Rect& part) { return part.isEmpty(); });
    if (parts.empty())
        return true;
    auto context = gfx::GraphicsContext::create(m_bitmap->cairoSurface(), m_scale, false);
    gfx::GraphicsContext::MakeCurrent current(*context);
    context->save();
    context->clipToRects(parts);
    context->paint([&](cairo_t* cr) {
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_rgba(cr, background.red, background.green, background.blue, background.alpha);
        cairo_paint(cr);
        cairo_restore(cr);
    });
    if (content)
        content(*context);
    context->restore();
    cairo_surface_flush(m_bitmap->cairoSurface());
    return true;
}

bool WindowPicture::showsBackdrop(gfx::Color background) const
{
    // An opaque picture laid on at full alpha hides the screen beneath it wholly (a cover
    // once faded in): it is drawn as it is, and in parts.
    return m_backdrop && !(background.alpha >= 1 && m_backdropAlpha >= 1);
}

void WindowPicture::setBackdrop(std::shared_ptr<gfx::Bitmap> backdrop, double alpha)
{
    m_backdrop = std::move(backdrop);
    m_backdropAlpha = alpha;
}

gfx::Color WindowPicture::pixelAt(double x, double y) const
{
    if (!m_bitmap || !std::isfinite(x) || !std::isfinite(y))
        return gfx::colors::clear;
    // The pixel at the middle of the point.
    return m_bitmap->pixel(static_cast<int>(std::floor((x + 0.5) * m_scale)), static_cast<int>(std::floor((y + 0.5) * m_scale)));
}

bool WindowPicture::writePng(const std::filesystem::path& path) const { return m_bitmap && m_bitmap->savePng(path); }

}
