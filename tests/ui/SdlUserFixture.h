#pragma once

// A case of the real SDL window system beside a connection of the test's own to the display,
// which plays the user, the screenshot tool or a window manager. Included last, as Xlib's
// macros would otherwise rewrite names in the headers before it.
#include "SdlFixture.h"

#include "Swatch.h"

#include <X11/Xlib.h>
#include "DisplayPixels.h"

class SdlWithUser : public SdlFixture {
protected:
    void SetUp() override
    {
        SdlFixture::SetUp();
        if (IsSkipped())
            return;
        m_user = XOpenDisplay(nullptr);
        ASSERT_NE(m_user, nullptr);
    }
    void TearDown() override
    {
        if (m_user)
            XCloseDisplay(m_user);
        SdlFixture::TearDown();
    }
    Display* m_user { nullptr };
};
