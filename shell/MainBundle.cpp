#include "shell/MainBundle.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/PropertyList.h"
#include "platform/base/Resources.h"

#include <system_error>

namespace ostrel {

namespace {

// The file holds a handful of keys; anything much larger is not ours.
constexpr std::uintmax_t kMaximumInfoDictionaryBytes = 64 * 1024;

std::string infoString(const char* key)
{
    auto info = MainBundle::infoDictionary();
    if (!info)
        return "N.D.";
    auto found = info->find(key);
    if (found == info->end() || !found->second.asString())
        return "N.D.";
    return *found->second.asString();
}

}

std::filesystem::path MainBundle::infoDictionaryPath()
{
    return base::Resources::root() / "Info.plist";
}

std::optional<base::Value::Dictionary> MainBundle::infoDictionary()
{
    auto path = infoDictionaryPath();
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    if (std::filesystem::file_size(path, error) > kMaximumInfoDictionaryBytes || error) {
        base::diagnostic("the information dictionary \"" + path.string() + "\" is too large to be ours; not read");
        return std::nullopt;
    }
    std::string problem;
    auto value = base::readPropertyList(path, &problem);
    if (!value || !value->asDictionary()) {
        base::diagnostic("the information dictionary \"" + path.string() + "\" cannot be read: " + problem);
        return std::nullopt;
    }
    return *value->asDictionary();
}

std::string MainBundle::versionNumber()
{
    return infoString("CFBundleShortVersionString");
}

std::string MainBundle::buildNumber()
{
    return infoString("CFBundleVersion");
}

}
