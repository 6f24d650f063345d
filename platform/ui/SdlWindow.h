#pragma once

#include "platform/ui/Backend.h"

#include <cstdint>

struct SDL_Window;

namespace ui {

class SdlBackend;

// The display side of one window in the SDL backend: an SDL window sized in pixels, shown,
// moved and decorated as the window's state asks, its pixels copied from the window's
// picture. Windows that never take the keyboard are shown without it, whatever SDL does.
class SdlWindow final : public PlatformWindow {
public:
    SdlWindow(SdlBackend& backend, Window& window)
        : m_backend(backend)
        , m_window(window)
    {
    }
    ~SdlWindow() override;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;

    void apply(const PlatformWindowState& state) override;
    void present(cairo_surface_t* surface) override;
    void presentPart(cairo_surface_t* surface, Rect changedPixels) override;
    void focus(std::uint32_t inputTime) override;
    void raise() override;

    Window& window() const { return m_window; }
    SDL_Window* sdl() const { return m_sdl; }
    unsigned long xWindow() const;
    void presentAgain()
    {
        if (m_lastSurface)
            present(m_lastSurface);
    }

private:
    void create(const PlatformWindowState& state);
    void destroy();
    void applyFrame(const PlatformWindowState& state);
    void show(const PlatformWindowState& state);

    SdlBackend& m_backend;
    Window& m_window;
    SDL_Window* m_sdl { nullptr };
    PlatformWindowState m_state;
    bool m_created { false };
    cairo_surface_t* m_lastSurface { nullptr };
    bool m_firstFrameReported { false };
};

}
