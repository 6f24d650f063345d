#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace desktop {

// The few pieces of the freedesktop desktop-entry format that our own entries need: an
// Exec line whose arguments survive any character a path may hold, and the program's path.
class DesktopEntry {
public:
    // Entries and mimeapps.list are a few lines; a file past this is not read.
    static constexpr std::size_t kFileLimit = 1 << 20;

    // The arguments quoted and escaped for an Exec key's value (field codes such as %u are
    // the caller's to append, unquoted).
    static std::string execLine(const std::vector<std::string>& arguments);

    // The running program, as the entries must start it.
    static std::filesystem::path executable();

    // The value of `key` in the "[Desktop Entry]" group of the text, still escaped; empty
    // when it is not there.
    static std::string value(std::string_view text, std::string_view key);
};

}
