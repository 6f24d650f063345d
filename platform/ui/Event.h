#pragma once

#include "platform/ui/Forward.h"
#include "platform/ui/Geometry.h"

#include <cstdint>
#include <string>

namespace ui {

// Modifier flags of an event, named as the stored combinations name them: on this desktop
// Command is the Ctrl key, Control the Super key and Option the Alt key (the window backend
// reads them so). The stored key combinations keep masks of their own (base::KeyModifier);
// the two convert below.
namespace ModifierFlag {
constexpr std::uint32_t CapsLock = 1u << 16;
constexpr std::uint32_t Shift = 1u << 17;
constexpr std::uint32_t Control = 1u << 18;
constexpr std::uint32_t Option = 1u << 19;
constexpr std::uint32_t Command = 1u << 20;
constexpr std::uint32_t DeviceIndependentMask = 0xffff0000u;

// To and from the modifier masks stored with key combinations (base::KeyModifier).
std::uint32_t fromKeyModifiers(std::uint32_t keyModifiers);
std::uint32_t toKeyModifiers(std::uint32_t flags);
}

class Event {
public:
    enum class Type {
        LeftMouseDown,
        LeftMouseUp,
        RightMouseDown,
        RightMouseUp,
        MouseMoved,
        LeftMouseDragged,
        ScrollWheel,
        KeyDown,
        KeyUp,
        FlagsChanged,
        // The middle button, which pastes the primary selection where it clicks.
        OtherMouseDown,
        OtherMouseUp,
    };

    static Event mouse(Type type, Window* window, Point locationInWindow, std::uint32_t modifiers = 0,
        int clickCount = 1);
    // keyCode is the layout's virtual key code (base::KeyCode); characters are UTF-8.
    static Event key(Type type, Window* window, std::uint16_t keyCode, std::string characters,
        std::uint32_t modifiers = 0, bool isRepeat = false);
    // Positive deltas: the wheel turned up, a touchpad swiped towards the right of the document.
    static Event scroll(Window* window, Point locationInWindow, double deltaX, double deltaY, std::uint32_t modifiers = 0);

    Type type() const { return m_type; }
    bool isMouse() const { return m_type != Type::KeyDown && m_type != Type::KeyUp && m_type != Type::FlagsChanged; }
    bool isKey() const { return !isMouse(); }

    // Not owned; an event lives no longer than its dispatch.
    Window* window() const { return m_window; }
    // In the window's base coordinates: origin at the bottom left of the content, y up.
    Point locationInWindow() const { return m_location; }
    std::uint32_t modifierFlags() const { return m_modifiers; }
    double timestamp() const { return m_timestamp; }

    int clickCount() const { return m_clickCount; }
    double scrollingDeltaX() const { return m_deltaX; }
    double scrollingDeltaY() const { return m_deltaY; }

    std::uint16_t keyCode() const { return m_keyCode; }
    const std::string& characters() const { return m_characters; }
    bool isARepeat() const { return m_repeat; }

    // For local monitors that rewrite an event before it is dispatched.
    void setCharacters(std::string characters) { m_characters = std::move(characters); }
    void setKeyCode(std::uint16_t keyCode) { m_keyCode = keyCode; }
    void setModifierFlags(std::uint32_t flags) { m_modifiers = flags; }
    void setWindow(Window* window) { m_window = window; }
    void setLocationInWindow(Point location) { m_location = location; }

    // Bit of this type in an event mask, for monitors.
    std::uint64_t maskBit() const { return 1ull << static_cast<int>(m_type); }

private:
    Event() = default;

    Type m_type { Type::MouseMoved };
    Window* m_window { nullptr };
    Point m_location;
    std::uint32_t m_modifiers { 0 };
    double m_timestamp { 0 };
    int m_clickCount { 0 };
    double m_deltaX { 0 };
    double m_deltaY { 0 };
    std::uint16_t m_keyCode { 0 };
    std::string m_characters;
    bool m_repeat { false };
};

namespace EventMask {
constexpr std::uint64_t of(Event::Type type) { return 1ull << static_cast<int>(type); }
constexpr std::uint64_t KeyDown = of(Event::Type::KeyDown);
constexpr std::uint64_t KeyUp = of(Event::Type::KeyUp);
constexpr std::uint64_t FlagsChanged = of(Event::Type::FlagsChanged);
constexpr std::uint64_t LeftMouseDown = of(Event::Type::LeftMouseDown);
constexpr std::uint64_t LeftMouseUp = of(Event::Type::LeftMouseUp);
constexpr std::uint64_t Any = ~0ull;
}

}
