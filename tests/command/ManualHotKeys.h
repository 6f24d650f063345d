#pragma once

#include "command/HotKeysController.h"

#include "platform/desktop/HotKeys.h"

#include <memory>

namespace ostrel::test {

// Puts the registry on a stand-in desktop for the test; the registry owns it.
inline desktop::ManualHotKeys& installManualHotKeys()
{
    auto manual = std::make_unique<desktop::ManualHotKeys>();
    auto& installed = *manual;
    HotKeysController::setDesktopHotKeys(std::move(manual));
    return installed;
}

}
