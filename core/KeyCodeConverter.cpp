#include "core/KeyCodeConverter.h"

#include "platform/base/KeyCodes.h"

#include <unordered_map>

namespace ostrel {

namespace {

using base::KeyCode;

struct Tables {
    std::unordered_map<std::string, uint16_t> keyCodes;
    std::unordered_map<std::string, bool> withoutModifiers;

    Tables()
    {
        keyCodes.reserve(50);
        withoutModifiers.reserve(50);
    }
};

void enter(Tables& tables, const std::string& name, KeyCode code, bool withoutModifiers)
{
    tables.keyCodes[name] = static_cast<uint16_t>(code);
    tables.withoutModifiers[name] = withoutModifiers;
}

Tables makeTables()
{
    Tables tables;
    const KeyCode digits[] = { KeyCode::Digit0, KeyCode::Digit1, KeyCode::Digit2, KeyCode::Digit3, KeyCode::Digit4,
        KeyCode::Digit5, KeyCode::Digit6, KeyCode::Digit7, KeyCode::Digit8, KeyCode::Digit9 };
    for (int i = 0; i < 10; ++i)
        enter(tables, std::string(1, char('0' + i)), digits[i], false);
    const KeyCode letters[] = { KeyCode::A, KeyCode::B, KeyCode::C, KeyCode::D, KeyCode::E, KeyCode::F, KeyCode::G,
        KeyCode::H, KeyCode::I, KeyCode::J, KeyCode::K, KeyCode::L, KeyCode::M, KeyCode::N, KeyCode::O, KeyCode::P,
        KeyCode::Q, KeyCode::R, KeyCode::S, KeyCode::T, KeyCode::U, KeyCode::V, KeyCode::W, KeyCode::X, KeyCode::Y,
        KeyCode::Z };
    for (int i = 0; i < 26; ++i)
        enter(tables, std::string(1, char('A' + i)), letters[i], false);
    const KeyCode functionKeys[] = { KeyCode::F1, KeyCode::F2, KeyCode::F3, KeyCode::F4, KeyCode::F5, KeyCode::F6,
        KeyCode::F7, KeyCode::F8, KeyCode::F9, KeyCode::F10, KeyCode::F11, KeyCode::F12, KeyCode::F13 };
    for (int i = 0; i < 13; ++i)
        enter(tables, "F" + std::to_string(i + 1), functionKeys[i], true);
    // The help key sits where other keyboards have Insert, hence its two names. F14, F15
    // and the right arrow were never in the table.
    enter(tables, "INSERT", KeyCode::Help, true);
    enter(tables, "F16", KeyCode::F16, true);
    enter(tables, "DELETE", KeyCode::ForwardDelete, false);
    enter(tables, "ESCAPE", KeyCode::Escape, false);
    enter(tables, "TAB", KeyCode::Tab, false);
    enter(tables, "UP ARROW", KeyCode::UpArrow, false);
    enter(tables, "DOWN ARROW", KeyCode::DownArrow, false);
    enter(tables, "LEFT ARROW", KeyCode::LeftArrow, false);
    enter(tables, "HOME", KeyCode::Home, false);
    enter(tables, "END", KeyCode::End, false);
    enter(tables, "HELP", KeyCode::Help, true);
    return tables;
}

Tables& tables()
{
    static Tables tables = makeTables();
    return tables;
}

template<typename T>
std::optional<T> lookUp(const std::unordered_map<std::string, T>& table, const std::string& name)
{
    auto found = table.find(name);
    return found == table.end() ? std::nullopt : std::optional<T>(found->second);
}

}

std::optional<uint16_t> KeyCodeConverter::keyCodeOfString(const std::string& name)
{
    return lookUp(tables().keyCodes, name);
}

std::optional<bool> KeyCodeConverter::usableWithoutModifiers(const std::string& name)
{
    return lookUp(tables().withoutModifiers, name);
}

void KeyCodeConverter::addCharacter(const std::string& name, uint16_t keyCode, bool withoutModifiers)
{
    tables().keyCodes[name] = keyCode;
    tables().withoutModifiers[name] = withoutModifiers;
}

}
