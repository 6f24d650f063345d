#include "platform/ui/Canvas.h"

namespace ui {

namespace {

void setColor(cairo_t* cr, const gfx::Color& color)
{
    cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
}

}

void Canvas::clip(const Rect& rect)
{
    cairo_rectangle(m_cairo, rect.minX(), rect.minY(), rect.width(), rect.height());
    cairo_clip(m_cairo);
}

void Canvas::fill(const Rect& rect, const gfx::Color& color)
{
    setColor(m_cairo, color);
    cairo_rectangle(m_cairo, rect.minX(), rect.minY(), rect.width(), rect.height());
    cairo_fill(m_cairo);
}

void Canvas::frame(const Rect& rect, const gfx::Color& color, double width)
{
    // A frame lies inside its rect, as the borders of walls expect.
    setColor(m_cairo, color);
    cairo_rectangle(m_cairo, rect.minX(), rect.minY(), rect.width(), width);
    cairo_rectangle(m_cairo, rect.minX(), rect.maxY() - width, rect.width(), width);
    cairo_rectangle(m_cairo, rect.minX(), rect.minY() + width, width, rect.height() - 2 * width);
    cairo_rectangle(m_cairo, rect.maxX() - width, rect.minY() + width, width, rect.height() - 2 * width);
    cairo_fill(m_cairo);
}

}
