#pragma once

#include "platform/gfx/Color.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// The colour on the display at a point, counted from the top left of the root window, read
// over a connection of the test's own, as a screenshot tool would.
inline gfx::Color pixelOnDisplay(Display* display, int x, int y)
{
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return gfx::colors::clear;
    unsigned long p = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return { ((p >> 16) & 0xff) / 255.0, ((p >> 8) & 0xff) / 255.0, (p & 0xff) / 255.0, 1 };
}
