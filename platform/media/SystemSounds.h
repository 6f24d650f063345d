#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace media {

// The desktop's own sounds: the freedesktop sound theme ("bell", "complete", "message" …)
// in the data folders of $XDG_DATA_DIRS.
class SystemSounds {
public:
    // The theme's file for `name` (.oga, .ogg or .wav); where it would be when no data folder
    // has it, so that the caller's attempt to play it is what reports it missing.
    static std::filesystem::path path(const std::string& name);
    // Only when the file exists.
    static std::optional<std::filesystem::path> find(const std::string& name);
};

}
