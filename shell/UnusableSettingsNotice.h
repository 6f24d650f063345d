#pragma once

#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"

#include <optional>

namespace ostrel {

// A settings file the start could not use, told to the user: what became of it and that the
// default settings serve now. Said once the window shows, so that the user sees why the
// program greets them as a new user; none when the file read whole.
std::optional<base::AlertRequest> unusableSettingsAlert(const base::Defaults& settings);
void tellOfUnusableSettingsWhenShown(const base::Defaults& settings);

}
