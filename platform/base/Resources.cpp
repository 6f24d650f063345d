#include "platform/base/Resources.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace base {

namespace fs = std::filesystem;

namespace {
fs::path programFolder()
{
    std::error_code ec;
    fs::path program = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : program.parent_path();
}
}

fs::path Resources::root()
{
    if (const char* value = std::getenv("OSTREL_RESOURCES"); value && *value)
        return value;
    std::error_code ec;
    fs::path folder = programFolder();
    for (const fs::path& candidate : { folder.parent_path() / "resources", folder / "resources",
             fs::path("/usr/local/share/ostrel"), fs::path("/usr/share/ostrel") }) {
        if (fs::is_directory(candidate, ec))
            return candidate;
    }
    return folder.parent_path() / "resources";
}

std::optional<fs::path> Resources::path(const std::string& name, const std::string& type, const std::string& subfolder)
{
    std::string fileName = type.empty() ? name : name + "." + type;
    fs::path top = root();
    std::error_code ec;
    if (!subfolder.empty()) {
        fs::path candidate = top / subfolder / fileName;
        return fs::exists(candidate, ec) ? std::optional(candidate) : std::nullopt;
    }
    if (fs::exists(top / fileName, ec))
        return top / fileName;
    for (auto it = fs::recursive_directory_iterator(top, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->path().filename() == fileName)
            return it->path();
    }
    return std::nullopt;
}

}
