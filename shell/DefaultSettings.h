#pragma once

#include "platform/base/Defaults.h"
#include "platform/base/Value.h"
#include "platform/gfx/Color.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace ostrel {

// The main table of registered default settings. Built afresh at each call: the sound
// output device is asked for and the home-relative paths are expanded every time.
base::Value::Dictionary mainDefaultSettings();

// The ranges the numeric keys of the main table keep to: a value outside reads as the default.
std::map<std::string, base::Defaults::Range> mainSettingRanges();

// Registers the main table in the standard settings store; may run any number of times.
// The data model registers its own keys after it, and wins where both hold a key.
void prepareDefaults();

// The identifier of the system's default audio output device, as the sound library reports
// it; none until the sound library is there, and then "soundOutputDevice" is left out.
using DefaultOutputDeviceProvider = std::function<std::optional<std::string>()>;
void setDefaultOutputDeviceProvider(DefaultOutputDeviceProvider provider);

// The registered colours, for readers that must fall back on them.
namespace registeredColors {
inline constexpr gfx::Color nowPadBackground = gfx::Color::rgb(1.0, 1.0, 0.8);
inline constexpr gfx::Color laterPadBackground = gfx::Color::rgb(0.893307, 0.999776, 0.862248);
inline constexpr gfx::Color scratchPadBackground = gfx::Color::rgb(0.929994, 0.863978, 1.0);
inline constexpr gfx::Color objectiveBackground = gfx::Color::rgb(0.886275, 0.933333, 1.0);
}

}
