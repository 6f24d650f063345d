#pragma once

#include "tests/support/TemporaryHome.h"

#include "platform/base/Defaults.h"
#include "platform/base/VirtualTime.h"
#include "platform/ui/Application.h"
#include "platform/ui/OffscreenBackend.h"

#include <gtest/gtest.h>
#include <memory>

namespace ostrel::test {

// Banners and covers on an offscreen desktop of one 1440 × 900 display (two on request),
// on virtual time, with fresh settings; the banner and cover machinery installed by a case
// is put back to its logging defaults afterwards.
class OffscreenDesktopTest : public ::testing::Test {
protected:
    OffscreenDesktopTest();
    ~OffscreenDesktopTest() override;

    ui::Application& app() { return *m_app; }
    ui::OffscreenBackend& backend() { return *m_backend; }
    base::Defaults& settings() { return *m_store; }

    // Lets `seconds` of (virtual) time pass with the main run loop running.
    void runFor(double seconds);
    // Two displays side by side: the first one of the window system and a second, taller
    // one to its right.
    void useTwoDisplays();
    static const ui::Screen& leftDisplay();
    static const ui::Screen& rightDisplay();

    TemporaryHome m_home;
    base::VirtualTime m_time;

private:
    std::shared_ptr<base::Defaults> m_store;
    ui::OffscreenBackend* m_backend { nullptr };
    std::unique_ptr<ui::Application> m_app;
};

}
