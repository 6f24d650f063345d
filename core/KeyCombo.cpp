#include "core/KeyCombo.h"

#include "platform/base/Json.h"
#include "platform/base/KeyNames.h"

#include <array>
#include <limits>
#include <utility>

namespace ostrel {

namespace {

// Pairs in the order the symbols are written.
constexpr std::array<std::pair<uint32_t, uint64_t>, 4> modifierPairs { {
    { CarbonModifier::control, EventModifier::control },
    { CarbonModifier::option, EventModifier::option },
    { CarbonModifier::shift, EventModifier::shift },
    { CarbonModifier::command, EventModifier::command },
} };

std::optional<uint32_t> unsigned32(const base::Value& object, const char* member)
{
    const base::Value* found = object.find(member);
    const std::int64_t* value = found ? found->asInteger() : nullptr;
    if (!value || *value < 0 || *value > std::int64_t(std::numeric_limits<uint32_t>::max()))
        return std::nullopt;
    return static_cast<uint32_t>(*value);
}

}

uint32_t carbonModifiersFromEventModifiers(uint64_t eventModifiers)
{
    uint32_t carbon = 0;
    for (auto [carbonBit, eventBit] : modifierPairs) {
        if (eventModifiers & eventBit)
            carbon |= carbonBit;
    }
    return carbon;
}

uint64_t eventModifiersFromCarbonModifiers(uint32_t carbonModifiers)
{
    uint64_t flags = 0;
    for (auto [carbonBit, eventBit] : modifierPairs) {
        if (carbonModifiers & carbonBit)
            flags |= eventBit;
    }
    return flags;
}

std::string modifierSymbols(uint64_t eventModifiers)
{
    // The Carbon mask bits are the stored masks the desktop's names are given for.
    return base::KeyNames::modifiers(carbonModifiersFromEventModifiers(eventModifiers));
}

std::string KeyCombo::description() const
{
    return base::KeyNames::shortcut(carbonModifiersFromEventModifiers(modifiers()), carbonKeyCode);
}

base::Value::Dictionary KeyCombo::dictionary() const
{
    return { { "keyCode", static_cast<long long>(carbonKeyCode) }, { "modifiers", static_cast<long long>(carbonModifiers) } };
}

std::optional<KeyCombo> KeyCombo::fromDictionary(const base::Value::Dictionary& dictionary)
{
    auto member = [&](const char* key) -> std::optional<uint32_t> {
        auto found = dictionary.find(key);
        if (found == dictionary.end())
            return std::nullopt;
        auto* value = found->second.asInteger();
        if (!value || *value < 0 || *value > std::numeric_limits<uint32_t>::max())
            return std::nullopt;
        return static_cast<uint32_t>(*value);
    };
    auto code = member("keyCode");
    auto modifiers = member("modifiers");
    if (!code || !modifiers)
        return std::nullopt;
    return KeyCombo(*code, *modifiers);
}

std::string keyComboJSON(const std::optional<KeyCombo>& combo)
{
    if (!combo)
        return "null";
    return base::toJson(base::Value::Dictionary {
        { "carbonKeyCode", std::int64_t(combo->carbonKeyCode) },
        { "carbonModifiers", std::int64_t(combo->carbonModifiers) },
    });
}

std::optional<std::optional<KeyCombo>> keyComboFromJSON(std::string_view text)
{
    // Filled in place: returning a nested optional built from a temporary sets off a false
    // "may be used uninitialized" in GCC 12's optimiser.
    std::optional<std::optional<KeyCombo>> result;
    auto json = base::parseJson(text);
    if (!json)
        return result;
    if (json->isNull()) {
        result.emplace();
        return result;
    }
    if (!json->asDictionary())
        return result;
    auto code = unsigned32(*json, "carbonKeyCode");
    auto modifiers = unsigned32(*json, "carbonModifiers");
    if (code && modifiers)
        result.emplace(KeyCombo(*code, *modifiers));
    return result;
}

}
