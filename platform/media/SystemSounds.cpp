#include "platform/media/SystemSounds.h"

#include <cstdlib>
#include <sstream>
#include <vector>

namespace media {

namespace {

constexpr const char* kThemeFolder = "sounds/freedesktop/stereo";

std::vector<std::filesystem::path> dataFolders()
{
    const char* variable = std::getenv("XDG_DATA_DIRS");
    std::string list = variable && *variable ? variable : "/usr/local/share:/usr/share";
    std::vector<std::filesystem::path> folders;
    std::stringstream stream(list);
    for (std::string folder; std::getline(stream, folder, ':');) {
        // The XDG base-directory rules tell readers to ignore relative entries.
        if (!folder.empty() && folder.front() == '/')
            folders.emplace_back(folder);
    }
    return folders;
}

bool isPlainName(const std::string& name)
{
    return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

}

std::optional<std::filesystem::path> SystemSounds::find(const std::string& name)
{
    if (!isPlainName(name))
        return std::nullopt;
    for (const auto& folder : dataFolders()) {
        for (const char* extension : { ".oga", ".ogg", ".wav" }) {
            auto candidate = folder / kThemeFolder / (name + extension);
            std::error_code error;
            if (std::filesystem::is_regular_file(candidate, error))
                return candidate;
        }
    }
    return std::nullopt;
}

std::filesystem::path SystemSounds::path(const std::string& name)
{
    if (auto found = find(name))
        return *found;
    return std::filesystem::path("/usr/share") / kThemeFolder / ((isPlainName(name) ? name : "unnamed") + ".oga");
}

}
