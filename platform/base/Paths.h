#pragma once

#include <filesystem>
#include <string>

// Where the program keeps its things, after the XDG base-directory rules. Read from the
// environment at each call, so tests that move HOME see their own folders.
namespace base::paths {

using Path = std::filesystem::path;

Path home();
// "~" and "~/…" become the home folder; other paths are returned as given.
Path expandTilde(const std::string& path);
// The inverse, for showing paths: the home folder becomes "~".
std::string abbreviateWithTilde(const Path& path);

// $XDG_DATA_HOME/Ostrel (default ~/.local/share/Ostrel): logs, pads, scripts, pages.
Path applicationSupport();
// $XDG_CONFIG_HOME/Ostrel (default ~/.config/Ostrel): the settings file.
Path configuration();
// $XDG_CACHE_HOME/Ostrel (default ~/.cache/Ostrel): what may be lost without loss.
Path cache();
Path temporary();
// The user's desktop folder (XDG_DESKTOP_DIR when set, else ~/Desktop).
Path desktop();

}
