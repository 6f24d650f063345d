#pragma once

#include "platform/base/RunLoop.h"
#include "platform/base/VirtualTime.h"
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"
#include "Swatch.h"

#include <gtest/gtest.h>
#include <ostream>

namespace ui {
inline void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "(" << r.minX() << ", " << r.minY() << ", " << r.width() << " x " << r.height() << ")";
}
inline void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(const Size& s, std::ostream* os) { *os << s.width << " x " << s.height; }
}

// Every window-system test runs on a virtual clock with an offscreen application of its
// own, and leaves no timer or posted drawing behind for the next.
class UiTest : public testing::Test {
protected:
    UiTest()
    {
        auto backend = std::make_unique<ui::OffscreenBackend>();
        m_backend = backend.get();
        m_app = ui::Application::create(std::move(backend));
    }
    ~UiTest() override
    {
        loop().discardAll();
        m_app.reset();
    }

    static base::RunLoop& loop() { return base::RunLoop::main(); }
    ui::Application& app() { return *m_app; }
    ui::OffscreenBackend& backend() { return *m_backend; }

    // The first display asks for this many pixels per point from now on.
    void setScale(double scale)
    {
        auto screens = backend().screens();
        screens.front().backingScaleFactor = scale;
        backend().setScreens(screens);
    }

    // A titled window of the given content size at 100, 100, shown and key.
    std::shared_ptr<ui::Window> window(double width = 200, double height = 100)
    {
        auto w = ui::Window::create(ui::Rect(100, 100, width, height));
        w->makeKeyAndOrderFront();
        return w;
    }

    base::VirtualTime clock;
    std::unique_ptr<ui::Application> m_app;
    ui::OffscreenBackend* m_backend { nullptr };
};

