#pragma once

#include "core/KeyCombo.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace desktop {
class HotKeys;
}

namespace ostrel {

class HotKey;

// The registry of the program's global hot keys: it numbers every registration, asks the
// desktop for the combination, and turns the desktop's presses and releases back into calls
// of the hot key's handlers. It keeps the Carbon event manager's vocabulary (signatures,
// event kinds, statuses) so that the rules of which event is ours read as they always have.
// Class-level state only, on the main thread.
class HotKeysController {
public:
    using OSStatus = int32_t;
    static constexpr OSStatus noErr = 0;
    static constexpr OSStatus eventNotHandledErr = -9874;
    static constexpr uint32_t kEventHotKeyPressed = 5;
    static constexpr uint32_t kEventHotKeyReleased = 6;
    // "Wmtq", first character in the most significant byte.
    static constexpr uint32_t eventHotKeySignature = uint32_t('W') << 24 | uint32_t('m') << 16 | uint32_t('t') << 8 | uint32_t('q');

    struct EventHotKeyID {
        uint32_t signature { 0 };
        uint32_t id { 0 };
    };
    struct HotKeyEvent {
        uint32_t kind { 0 };
        EventHotKeyID hotKeyID;
    };

    struct HotKeyBox {
        std::string identifier;
        std::weak_ptr<HotKey> hotKey;
        uint32_t carbonHotKeyID { 0 };
        // Whether the desktop granted the combination; a refused one stays in the table, silent.
        bool carbonEventHotKey { false };
    };

    // `register` is reserved in C++, hence the longer names.
    static void registerHotKey(const std::shared_ptr<HotKey>& hotKey);
    static void unregisterHotKey(const HotKey& hotKey);

    // noErr when a handler of ours ran, else eventNotHandledErr (also for no event at all).
    static OSStatus handleCarbonEvent(const HotKeyEvent* event);

    static const std::map<uint32_t, HotKeyBox>& hotKeys();
    // Whether the desktop refused the combination at its latest registration because another
    // program holds it (a window manager's key): the shortcuts pane says so beside it.
    static bool isTakenByAnotherProgram(const KeyCombo& combo);
    static uint32_t hotKeysCount();

    // The desktop service registrations go to; by default the X display's, made on first use.
    // Replacing it (tests, start-up) drops the registrations made on the previous one.
    static void setDesktopHotKeys(std::unique_ptr<desktop::HotKeys> desktopHotKeys);

private:
    static void installEventHandler();
    // Whether a registration other than `number` was granted the combination.
    static bool grantedToAnother(const KeyCombo& combo, uint32_t number);
    // What the desktop calls for a press or release of one of our registrations.
    static OSStatus hotKeyEventHandler(uint32_t number, bool pressed);
};

}
