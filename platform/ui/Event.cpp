#include "platform/ui/Event.h"

#include "platform/base/KeyCodes.h"
#include "platform/base/Time.h"

#include <array>
#include <utility>

namespace ui {

namespace {

constexpr std::array<std::pair<std::uint32_t, std::uint32_t>, 4> kModifierPairs { {
    { base::KeyModifier::Command, ModifierFlag::Command },
    { base::KeyModifier::Shift, ModifierFlag::Shift },
    { base::KeyModifier::Option, ModifierFlag::Option },
    { base::KeyModifier::Control, ModifierFlag::Control },
} };

}

std::uint32_t ModifierFlag::fromKeyModifiers(std::uint32_t keyModifiers)
{
    std::uint32_t flags = 0;
    for (auto [stored, flag] : kModifierPairs)
        if (keyModifiers & stored)
            flags |= flag;
    return flags;
}

std::uint32_t ModifierFlag::toKeyModifiers(std::uint32_t flags)
{
    std::uint32_t stored = 0;
    for (auto [c, flag] : kModifierPairs)
        if (flags & flag)
            stored |= c;
    return stored;
}

Event Event::mouse(Type type, Window* window, Point locationInWindow, std::uint32_t modifiers, int clickCount)
{
    Event event;
    event.m_type = type;
    event.m_window = window;
    event.m_location = locationInWindow;
    event.m_modifiers = modifiers;
    event.m_clickCount = clickCount;
    event.m_timestamp = base::Time::now();
    return event;
}

Event Event::key(Type type, Window* window, std::uint16_t keyCode, std::string characters, std::uint32_t modifiers,
    bool isRepeat)
{
    Event event;
    event.m_type = type;
    event.m_window = window;
    event.m_keyCode = keyCode;
    event.m_characters = std::move(characters);
    event.m_modifiers = modifiers;
    event.m_repeat = isRepeat;
    event.m_timestamp = base::Time::now();
    return event;
}

Event Event::scroll(Window* window, Point locationInWindow, double deltaX, double deltaY, std::uint32_t modifiers)
{
    Event event = mouse(Type::ScrollWheel, window, locationInWindow, modifiers);
    event.m_deltaX = deltaX;
    event.m_deltaY = deltaY;
    return event;
}

}
