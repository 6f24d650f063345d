#pragma once

#include "platform/base/Value.h"

#include <optional>
#include <string>
#include <string_view>

namespace base {

// JSON text for values. Data and dates, which JSON lacks, travel as {"$data": base64} and
// {"$date": seconds since 2001}.
std::optional<Value> parseJson(std::string_view text, std::string* error = nullptr);
std::string toJson(const Value& value, bool pretty = false);

}
