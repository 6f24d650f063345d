#pragma once

#include "platform/base/Value.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace base {

// XML property lists (<plist version="1.0"> with dict, array, string, integer, real, true,
// false, data and date).
std::optional<Value> parsePropertyList(std::string_view xml, std::string* error = nullptr);
std::optional<Value> readPropertyList(const std::filesystem::path& path, std::string* error = nullptr);
std::string toPropertyListXml(const Value& value);

}
