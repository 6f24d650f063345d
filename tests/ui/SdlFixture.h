#pragma once

#include "platform/base/RunLoop.h"
#include "platform/ui/Application.h"
#include "platform/ui/SdlBackend.h"

#include <cstdlib>
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

    ui::SdlBackend* m_backend { nullptr };
    std::unique_ptr<ui::Application> m_app;
};
