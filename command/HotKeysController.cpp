#include "command/HotKeysController.h"

#include "command/HotKey.h"

#include "platform/desktop/HotKeys.h"
#include "platform/ui/Alert.h"
#include "platform/ui/Application.h"

#include <algorithm>
#include <iostream>
#include <vector>

namespace ostrel {

namespace {

struct Registry {
    std::map<uint32_t, HotKeysController::HotKeyBox> hotKeys;
    uint32_t hotKeysCount { 0 };
    // Combinations the desktop refused at their latest registration because another program
    // holds them; kept while the preferences withdraw every hot key, for the shortcuts pane.
    std::vector<KeyCombo> takenByAnotherProgram;
    std::unique_ptr<desktop::HotKeys> desktopHotKeys;
    bool eventHandlerInstalled { false };
};

// Made on first use and never released: hot keys held by other never-released objects may
// unregister themselves while the program exits.
Registry& registry()
{
    static auto* registry = new Registry;
    return *registry;
}

desktop::HotKeys& desktopHotKeys()
{
    auto& state = registry();
    if (!state.desktopHotKeys)
        state.desktopHotKeys = desktop::HotKeys::create();
    return *state.desktopHotKeys;
}

// A plain line for whoever runs the program from a terminal, never for the user, in the
// quoted debug form: a key shown as a quotation mark or a backslash must not end it.
void writeLine(const char* what, const KeyCombo& combo)
{
    std::string quoted = "\"";
    for (char c : std::string(what) + combo.description()) {
        switch (c) {
        case '\\':
            quoted += "\\\\";
            break;
        case '"':
            quoted += "\\\"";
            break;
        default:
            quoted += c;
        }
    }
    std::cout << quoted << '"' << std::endl;
}

}

void HotKeysController::registerHotKey(const std::shared_ptr<HotKey>& hotKey)
{
    auto& state = registry();
    for (const auto& [number, box] : state.hotKeys) {
        if (box.identifier == hotKey->identifier())
            return;
    }
    uint32_t number = ++state.hotKeysCount;
    auto& box = state.hotKeys[number];
    box = HotKeyBox { hotKey->identifier(), hotKey, number, false };

    const auto combo = hotKey->keyCombo();
    auto result = desktopHotKeys().registerHotKey(number, combo.carbonKeyCode, combo.carbonModifiers);
    // Granted combinations only are registered; the desktop layer has logged why another was
    // refused. Refused because it is ours already (two settings holding one key), it is not
    // another program's.
    auto& taken = state.takenByAnotherProgram;
    std::erase(taken, combo);
    if (result == desktop::HotKeys::Result::Registered) {
        writeLine("*** keycombo registered: ", combo);
        state.hotKeys[number].carbonEventHotKey = true;
        installEventHandler();
    } else if (result == desktop::HotKeys::Result::Taken && !grantedToAnother(combo, number)) {
        writeLine("*** keycombo taken by another program: ", combo);
        taken.push_back(combo);
    } else {
        writeLine("*** keycombo not registered: ", combo);
    }
}

bool HotKeysController::isTakenByAnotherProgram(const KeyCombo& combo)
{
    const auto& taken = registry().takenByAnotherProgram;
    return std::find(taken.begin(), taken.end(), combo) != taken.end();
}

bool HotKeysController::grantedToAnother(const KeyCombo& combo, uint32_t number)
{
    for (const auto& [other, box] : registry().hotKeys) {
        auto hotKey = box.hotKey.lock();
        if (other != number && box.carbonEventHotKey && hotKey && hotKey->keyCombo() == combo)
            return true;
    }
    return false;
}

void HotKeysController::unregisterHotKey(const HotKey& hotKey)
{
    auto& state = registry();
    for (auto it = state.hotKeys.begin(); it != state.hotKeys.end(); ++it) {
        if (it->second.identifier != hotKey.identifier())
            continue;
        writeLine("*** keycombo unregistered: ", hotKey.keyCombo());
        uint32_t number = it->first;
        state.hotKeys.erase(it);
        if (state.desktopHotKeys)
            state.desktopHotKeys->unregisterHotKey(number);
        return;
    }
}

HotKeysController::OSStatus HotKeysController::handleCarbonEvent(const HotKeyEvent* event)
{
    if (!event)
        return eventNotHandledErr;
    if (event->hotKeyID.signature != eventHotKeySignature)
        return eventNotHandledErr;

    auto& state = registry();
    auto found = state.hotKeys.find(event->hotKeyID.id);
    std::shared_ptr<HotKey> hotKey;
    if (found != state.hotKeys.end())
        hotKey = found->second.hotKey.lock();
    if (!hotKey) {
        if (found != state.hotKeys.end())
            state.hotKeys.erase(found);
        return eventNotHandledErr;
    }

    // Held strongly while its handler runs: the handler may well withdraw every hot key.
    HotKey::Handler handler;
    if (event->kind == kEventHotKeyPressed)
        handler = hotKey->keyDownHandler;
    else if (event->kind == kEventHotKeyReleased)
        handler = hotKey->keyUpHandler;
    else
        return eventNotHandledErr;
    if (hotKey->isPaused() || !handler)
        return eventNotHandledErr;
    handler();
    return noErr;
}

const std::map<uint32_t, HotKeysController::HotKeyBox>& HotKeysController::hotKeys()
{
    return registry().hotKeys;
}

uint32_t HotKeysController::hotKeysCount()
{
    return registry().hotKeysCount;
}

void HotKeysController::setDesktopHotKeys(std::unique_ptr<desktop::HotKeys> desktopHotKeys)
{
    auto& state = registry();
    state.hotKeys.clear();
    state.takenByAnotherProgram.clear();
    state.desktopHotKeys = std::move(desktopHotKeys);
    state.eventHandlerInstalled = false;
}

void HotKeysController::installEventHandler()
{
    auto& state = registry();
    if (state.eventHandlerInstalled)
        return;
    state.eventHandlerInstalled = true;
    state.desktopHotKeys->on_hot_key = [](uint32_t number, desktop::HotKeys::Phase phase) {
        // The key came on a connection of its own: what it shows asks for the keyboard as of the
        // key, so that a click elsewhere made meanwhile keeps it there.
        if (auto* app = ui::Application::shared(); app && registry().desktopHotKeys->deliveredKeyTime())
            app->setInputTime(registry().desktopHotKeys->deliveredKeyTime());
        // An alert waits for its answer: a hot key would act behind it (hide the program under
        // it, open the pop-up it takes the input from), so it brings the alert forward instead.
        if (auto* alert = ui::Alert::frontmost()) {
            if (phase == desktop::HotKeys::Phase::Pressed)
                alert->bringForward();
            return;
        }
        hotKeyEventHandler(number, phase == desktop::HotKeys::Phase::Pressed);
    };
}

HotKeysController::OSStatus HotKeysController::hotKeyEventHandler(uint32_t number, bool pressed)
{
    HotKeyEvent event {
        pressed ? kEventHotKeyPressed : kEventHotKeyReleased,
        { eventHotKeySignature, number },
    };
    return handleCarbonEvent(&event);
}

}
