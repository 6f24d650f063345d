#pragma once

#include "platform/ui/Geometry.h"

#include <cairo.h>

namespace ui {

// Hands a window's pixels to the X server straight from our own image, without waiting for
// the server's answer. SDL's window surface ends every update with a round trip, which
// wakes the program a second time for each frame: a read-out ticking once a second cost two
// wake-ups. The pixels travel in the request itself (no shared memory), so our image may
// change again at once, and the request is never waited on.
class XImagePresenter {
public:
    XImagePresenter() = default;
    ~XImagePresenter();
    XImagePresenter(const XImagePresenter&) = delete;
    XImagePresenter& operator=(const XImagePresenter&) = delete;

    // For an X window on `display` (an Xlib Display*), asked once for its visual: only a
    // window whose pixels are laid out as cairo's are (32 bits a pixel, red, green and blue
    // in cairo's places) can take our image as it is. False where it cannot; the caller then
    // presents another way.
    bool attach(void* display, unsigned long window);
    // Lets the window go (before it is destroyed); a later attach starts afresh.
    void detach();
    bool isAttached() const { return m_gc != nullptr; }

    // Queues the part (pixels from the image's top left) of a finished image for the window;
    // it leaves with the connection's next flush. False where nothing could be queued.
    bool put(cairo_surface_t* surface, Rect part);

private:
    void* m_display { nullptr };
    unsigned long m_window { 0 };
    void* m_gc { nullptr };
    void* m_visual { nullptr };
    int m_depth { 0 };
};

}
