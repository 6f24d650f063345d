#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace ostrel {

// One value as the user defaults hold it.
using SettingValue = std::variant<bool, std::int64_t, double, std::string>;

// The standard user defaults as the pop-up's option entries see them: read a key (registered
// defaults included), write a key. The shell backs it with the application's defaults; tests
// use a plain map.
class CommandSettings {
public:
    virtual ~CommandSettings() = default;
    virtual std::optional<SettingValue> object(const std::string& key) const = 0;
    virtual void set(const std::string& key, SettingValue value) = 0;
    virtual void synchronize() { }

    // The reading rules of the defaults: a missing key is false or absent, numbers count
    // as Booleans, and "YES"/"true" texts as well.
    bool boolean(const std::string& key) const;
    std::optional<std::int64_t> integer(const std::string& key) const;
};

}
