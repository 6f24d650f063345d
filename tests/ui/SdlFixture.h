#pragma once

#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/ui/Application.h"
#include "platform/ui/SdlBackend.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// A case of the real SDL window system: an application over the test display's backend, or
// the case skipped where there is no display.
class SdlFixture : public testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "no X display: the SDL window system is tested under Xvfb by make test";
        auto backend = ui::SdlBackend::open();
        if (!backend)
            GTEST_SKIP() << "SDL could not open the display";
        m_backend = backend.get();
        m_app = ui::Application::create(std::move(backend));
    }
    void TearDown() override
    {
        base::RunLoop::main().discardAll();
        m_app.reset();
    }

    // Runs the real loop until the condition holds or a few seconds pass.
    static bool runUntil(const std::function<bool()>& done, double seconds = 5)
    {
        double deadline = base::Time::now() + seconds;
        while (!done()) {
            if (base::Time::now() > deadline)
                return false;
            base::RunLoop::main().runUntil(base::Time::now() + 0.02);
        }
        return true;
    }

    ui::SdlBackend* m_backend { nullptr };
    std::unique_ptr<ui::Application> m_app;
};
