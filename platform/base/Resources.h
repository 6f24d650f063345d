#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace base {

// The program's resource folder: $OSTREL_RESOURCES when set, else "resources" beside the
// program's folder (build/…/resources for build/…/app/ostrel), else the installed share
// folder.
class Resources {
public:
    static std::filesystem::path root();

    // The file "<name>.<type>" in the resources, in `subfolder` when one is given, else at
    // the top or in any folder below it; none when it does not exist.
    static std::optional<std::filesystem::path> path(const std::string& name, const std::string& type,
        const std::string& subfolder = {});
};

}
