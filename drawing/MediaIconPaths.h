#pragma once

#include "platform/gfx/Path.h"

// The pop-up's playback, sound and chart glyphs, 180 x 180.
namespace ostrel::mediaIconPaths {

gfx::Path stop();
gfx::Path play();
gfx::Path unmute();
// The speaker cut along the bar into its parts below and above it, and the bar.
gfx::Path mute();
gfx::Path statistics();

}
