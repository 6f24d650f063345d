#pragma once

#include "platform/gfx/Color.h"
#include "platform/ui/Geometry.h"

#include <cairo.h>

namespace ui {

// What a view draws on: a cairo context already moved into the view's own coordinates
// (flipped or not) and clipped to its bounds. Drawing code that needs more than these few
// strokes takes cairo() directly.
class Canvas {
public:
    explicit Canvas(cairo_t* cairo)
        : m_cairo(cairo)
    {
    }

    cairo_t* cairo() const { return m_cairo; }

    void save() { cairo_save(m_cairo); }
    void restore() { cairo_restore(m_cairo); }
    void clip(const Rect& rect);
    void fill(const Rect& rect, const gfx::Color& color);
    void frame(const Rect& rect, const gfx::Color& color, double width = 1);

private:
    cairo_t* m_cairo { nullptr };
};

}
