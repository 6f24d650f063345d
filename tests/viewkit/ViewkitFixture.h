#pragma once

#include "core/ValueTransformers.h"
#include "log/StringToTokenArrayTransformer.h"

#include "platform/base/Defaults.h"
#include "platform/base/RunLoop.h"
#include "platform/base/VirtualTime.h"
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"
#include "platform/ui/Window.h"

#include <gtest/gtest.h>
#include <memory>
#include <ostream>

namespace gfx {
inline void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "(" << r.minX() << ", " << r.minY() << ", " << r.width() << " x " << r.height() << ")";
}
inline void PrintTo(const Size& s, std::ostream* os) { *os << s.width << " x " << s.height; }
inline void PrintTo(const Color& c, std::ostream* os) { *os << "rgba(" << c.red << ", " << c.green << ", " << c.blue << ", " << c.alpha << ")"; }
}

namespace ostrel::test {

// Every kit test runs on a virtual clock with an offscreen application and a settings store
// of its own (in memory), with the transformers start-up would register.
class ViewkitTest : public testing::Test {
protected:
    ViewkitTest()
    {
        auto backend = std::make_unique<ui::OffscreenBackend>();
        m_backend = backend.get();
        m_app = ui::Application::create(std::move(backend));
        base::Defaults::setStandard(m_store);
        ValueTransformer::setValueTransformer(std::make_shared<StringToTokenArrayTransformer>(), "StringToTokenArrayTransformer");
    }
    ~ViewkitTest() override
    {
        base::RunLoop::main().discardAll();
        ValueTransformer::removeAllValueTransformers();
        m_app.reset();
    }

    base::Defaults& store() { return *m_store; }
    ui::OffscreenBackend& backend() { return *m_backend; }
    // Runs what the main queue holds (a tag manager's news, posted drawing).
    void drain() { base::RunLoop::main().runUntil(base::Time::now() + 0.01); }

    // A titled window of the given content size, shown and key, with a flipped plain content view.
    std::shared_ptr<ui::Window> window(double width = 300, double height = 200)
    {
        auto w = ui::Window::create(ui::Rect(100, 100, width, height));
        w->makeKeyAndOrderFront();
        return w;
    }

    base::VirtualTime clock;
    std::shared_ptr<base::Defaults> m_store = base::Defaults::create("");
    std::unique_ptr<ui::Application> m_app;
    ui::OffscreenBackend* m_backend { nullptr };
};

}
