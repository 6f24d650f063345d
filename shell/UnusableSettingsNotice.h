#pragma once

#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"

#include <filesystem>
#include <optional>

namespace ostrel {

// A settings file the start could not use, told to the user: what became of it and that the
// default settings serve now. Said once the window shows, so that the user sees why the
// program greets them as a new user; none when the file read whole.
std::optional<base::AlertRequest> unusableSettingsAlert(const base::Defaults& settings);
void tellOfUnusableSettingsWhenShown(const base::Defaults& settings);

// What went wrong with the settings file later on (another program left it damaged; it
// cannot be written), in the same words; each told as it happens, the write failure once.
base::AlertRequest settingsProblemAlert(const base::Defaults::RunningProblem& problem, const std::filesystem::path& file);
void tellOfSettingsProblemsWhileRunning(base::Defaults& settings);

}
