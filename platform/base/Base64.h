#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace base {

std::string encodeBase64(const std::vector<std::uint8_t>& bytes);
// White space is skipped; anything else outside the alphabet makes the text unreadable.
std::optional<std::vector<std::uint8_t>> decodeBase64(std::string_view text);

}
