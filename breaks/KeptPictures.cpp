#include "breaks/KeptPictures.h"

#include <cairo.h>
#include <cmath>

namespace ostrel {

KeptPictures::~KeptPictures() { keepFor({}, 0); }

void KeptPictures::keepFor(ui::Rect area, double pixelScale, ui::Point phase)
{
    if (area == m_area && pixelScale == m_pixelScale && phase == m_phase)
        return;
    for (auto& [key, surface] : m_pictures)
        cairo_surface_destroy(surface);
    m_pictures.clear();
    m_bytes = 0;
    m_area = area;
    m_pixelScale = pixelScale;
    m_phase = phase;
}

std::pair<cairo_surface_t*, bool> KeptPictures::picture(int key, const std::function<void()>& draw)
{
    if (auto found = m_pictures.find(key); found != m_pictures.end())
        return { found->second, false };
    double scale = m_pixelScale > 0 && std::isfinite(m_pixelScale) ? m_pixelScale : 1;
    // An area that starts within a pixel reaches into one more.
    int width = static_cast<int>(std::ceil(m_area.width() * scale + m_phase.x));
    int height = static_cast<int>(std::ceil(m_area.height() * scale + m_phase.y));
    if (!(width > 0 && height > 0))
        return { nullptr, false };
    cairo_format_t format = m_kind == Kind::coverage ? CAIRO_FORMAT_A8 : CAIRO_FORMAT_ARGB32;
    auto bytes = static_cast<std::size_t>(cairo_format_stride_for_width(format, width)) * static_cast<std::size_t>(height);
    if (m_bytes + bytes > kMostBytes)
        return { nullptr, false };
    cairo_surface_t* surface = cairo_image_surface_create(format, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return { nullptr, false };
    }
    {
        auto context = gfx::GraphicsContext::create(surface, scale, false);
        gfx::GraphicsContext::MakeCurrent current(*context);
        context->translate(m_phase.x / scale - m_area.minX(), -m_phase.y / scale - m_area.minY() + (height - m_area.height() * scale) / scale);
        draw();
    }
    cairo_surface_flush(surface);
    m_pictures.emplace(key, surface);
    m_bytes += bytes;
    return { surface, true };
}

bool KeptPictures::drawIn(gfx::GraphicsContext& context, ui::Rect area, int key, const std::function<void()>& draw)
{
    cairo_t* cr = context.cairo();
    cairo_matrix_t matrix;
    cairo_get_matrix(cr, &matrix);
    double scale = context.baseScale();
    // Kept upright at the window's pixels: anything else is drawn as shapes.
    if (matrix.xy != 0 || matrix.yx != 0 || std::abs(matrix.xx - scale) > 1e-9 || std::abs(matrix.yy + scale) > 1e-9)
        return false;
    double left = area.minX(), top = area.maxY();
    cairo_user_to_device(cr, &left, &top);
    if (!std::isfinite(left) || !std::isfinite(top))
        return false;
    // Whole pixels within a hair's width are whole.
    double x = std::floor(left + 1e-6), y = std::floor(top + 1e-6);
    ui::Point phase { std::max(0.0, left - x), std::max(0.0, top - y) };
    keepFor(area, scale, phase);
    cairo_surface_t* surface = picture(key, draw).first;
    if (!surface)
        return false;
    context.paint([&](cairo_t* target) {
        cairo_identity_matrix(target);
        if (m_kind == Kind::coverage) {
            cairo_set_source_rgb(target, 1, 1, 1);
            cairo_mask_surface(target, surface, x, y);
        } else {
            cairo_set_source_surface(target, surface, x, y);
            cairo_paint(target);
        }
    });
    return true;
}

}
