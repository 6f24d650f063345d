#pragma once

#include "platform/base/RunLoop.h"
#include "platform/ui/Backend.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace ui {

class SdlWindow;

// Real windows on an X11 display through SDL: one SDL window per window, its pixels copied
// from the window's image. SDL's display connection is the window system's alone; the run
// loop watches its file descriptor in the common modes, so windows keep drawing and
// answering during modal runs, and nothing wakes the loop while nothing happens.
class SdlBackend : public WindowBackend {
public:
    // None when SDL cannot open the display.
    static std::unique_ptr<SdlBackend> open();
    ~SdlBackend() override;

    std::string name() const override { return "sdl"; }
    std::vector<Screen> screens() const override;
    std::unique_ptr<PlatformWindow> createWindow(Window& window) override;
    void attach(Application& application) override;
    void detach() override;
    Point mouseLocation() const override;

    // Screen coordinates (y up from the first display's bottom) to X's (y down) and back.
    double flipY(double y, double height) const;

    // Reads and dispatches whatever SDL has queued.
    void pump();

private:
    friend class SdlWindow;
    SdlBackend() = default;
    void dispatch(const void* sdlEvent);
    SdlWindow* windowFor(std::uint32_t sdlWindowId) const;
    void schedulePump();

    Application* m_application { nullptr };
    base::RunLoop::SourceId m_source { 0 };
    int m_fd { -1 };
    void* m_display { nullptr };
    void* m_probe { nullptr };
    bool m_pumpScheduled { false };
    std::unordered_map<std::uint32_t, SdlWindow*> m_windows;
    // A drop from another program, gathered item by item until SDL says it is complete.
    std::vector<std::string> m_droppedFiles;
    std::string m_droppedText;
    std::shared_ptr<bool> m_alive { std::make_shared<bool>(true) };
};

}
