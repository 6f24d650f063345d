#pragma once

#include "command/CommandSettings.h"

#include <map>

namespace ostrel::test {

// The user defaults as a plain map, counting synchronisations.
class MemorySettings final : public CommandSettings {
public:
    std::optional<SettingValue> object(const std::string& key) const override
    {
        auto found = values.find(key);
        if (found == values.end())
            return std::nullopt;
        return found->second;
    }
    void set(const std::string& key, SettingValue value) override { values[key] = std::move(value); }
    void synchronize() override { ++synchronizations; }

    std::map<std::string, SettingValue> values;
    int synchronizations { 0 };
};

}
