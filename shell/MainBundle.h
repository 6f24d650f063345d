#pragma once

#include "platform/base/Value.h"

#include <filesystem>
#include <optional>
#include <string>

namespace ostrel {

// The program's information dictionary: the property list "Info.plist" that the build
// writes into the resources with the project's version. Read afresh at each call.
class MainBundle {
public:
    static std::filesystem::path infoDictionaryPath();
    // None when the file is missing, is no small regular file or is no dictionary.
    static std::optional<base::Value::Dictionary> infoDictionary();

    // "CFBundleShortVersionString" and "CFBundleVersion"; each "N.D." when there is no
    // dictionary, no such key or no text under it.
    static std::string versionNumber();
    static std::string buildNumber();
};

}
