#include "platform/ui/XImagePresenter.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <bit>
#include <cmath>

namespace ui {

namespace {

Display* xDisplay(void* display) { return static_cast<Display*>(display); }

// Cairo's ARGB32 holds a pixel in a native 32-bit word, red in bits 16–23, green in 8–15,
// blue in 0–7: a true-colour visual of depth 24 or 32 with those masks reads it unchanged
// (Xlib swaps the bytes itself for a server of the other byte order).
bool takesCairoPixels(const XWindowAttributes& attributes)
{
    const Visual* visual = attributes.visual;
    return visual && (attributes.depth == 24 || attributes.depth == 32) && visual->red_mask == 0xff0000
        && visual->green_mask == 0xff00 && visual->blue_mask == 0xff;
}

}

XImagePresenter::~XImagePresenter() { detach(); }

bool XImagePresenter::attach(void* display, unsigned long window)
{
    detach();
    if (!display || !window)
        return false;
    // The one round trip, when a window is first drawn into.
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(xDisplay(display), window, &attributes) || !takesCairoPixels(attributes))
        return false;
    m_display = display;
    m_window = window;
    m_visual = attributes.visual;
    m_depth = attributes.depth;
    m_gc = XCreateGC(xDisplay(display), window, 0, nullptr);
    return m_gc != nullptr;
}

void XImagePresenter::detach()
{
    if (m_gc)
        XFreeGC(xDisplay(m_display), static_cast<GC>(m_gc));
    m_gc = nullptr;
    m_display = nullptr;
    m_window = 0;
    m_visual = nullptr;
    m_depth = 0;
}

bool XImagePresenter::put(cairo_surface_t* surface, Rect part)
{
    if (!m_gc || !surface || cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32)
        return false;
    cairo_surface_flush(surface);
    int width = cairo_image_surface_get_width(surface);
    int height = cairo_image_surface_get_height(surface);
    int x = std::max(0, static_cast<int>(std::floor(part.minX())));
    int y = std::max(0, static_cast<int>(std::floor(part.minY())));
    int right = std::min(width, static_cast<int>(std::ceil(part.maxX())));
    int bottom = std::min(height, static_cast<int>(std::ceil(part.maxY())));
    if (right <= x || bottom <= y)
        return false;
    auto* display = xDisplay(m_display);
    // The image only describes our pixels: it is sent from them and never owns them.
    XImage* image = XCreateImage(display, static_cast<Visual*>(m_visual), static_cast<unsigned>(m_depth), ZPixmap, 0,
        reinterpret_cast<char*>(cairo_image_surface_get_data(surface)), static_cast<unsigned>(width),
        static_cast<unsigned>(height), 32, cairo_image_surface_get_stride(surface));
    if (!image)
        return false;
    // Xlib takes the image for the server's byte order unless told: ours is the machine's.
    image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    XPutImage(display, m_window, static_cast<GC>(m_gc), image, x, y, x, y, static_cast<unsigned>(right - x),
        static_cast<unsigned>(bottom - y));
    image->data = nullptr;
    XDestroyImage(image);
    return true;
}

}
