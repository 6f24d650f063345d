#include "platform/desktop/HotKeys.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/KeyCodes.h"
#include "platform/base/KeyNames.h"
#include "platform/desktop/X11Connection.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <array>
#include <optional>
#include <string>

namespace desktop {

namespace {
// As users read a combination in the logs: as the desktop shows keys.
std::string describe(std::uint32_t keyCode, std::uint32_t modifiers)
{
    if (!base::KeyCodes::find(keyCode))
        return base::KeyNames::modifiers(modifiers) + "key code " + std::to_string(keyCode);
    return base::KeyNames::shortcut(modifiers, keyCode);
}

// The one place a stored combination meets X's modifiers: its Command is Ctrl here, its
// Control Super, its Option Alt.
unsigned xModifiers(std::uint32_t modifiers)
{
    unsigned mask = 0;
    if (modifiers & base::KeyModifier::Command)
        mask |= ControlMask;
    if (modifiers & base::KeyModifier::Control)
        mask |= Mod4Mask;
    if (modifiers & base::KeyModifier::Option)
        mask |= Mod1Mask;
    if (modifiers & base::KeyModifier::Shift)
        mask |= ShiftMask;
    return mask;
}

constexpr unsigned kMatchedModifiers = ShiftMask | ControlMask | Mod1Mask | Mod4Mask;

class X11HotKeys final : public HotKeys {
public:
    explicit X11HotKeys(std::shared_ptr<X11Connection> connection)
        : m_connection(std::move(connection))
    {
        if (!m_connection)
            return;
        Display* display = m_connection->display();
        m_numLockMask = findNumLockMask(display);
        // Without it a held key would arrive as press, release, press, ... while it repeats.
        Bool supported = False;
        XkbSetDetectableAutoRepeat(display, True, &supported);
        m_handler = m_connection->addEventHandler([this](const XEvent& event) { handle(event); });
    }

    ~X11HotKeys() override
    {
        if (!m_connection)
            return;
        m_connection->removeEventHandler(m_handler);
        for (const auto& [id, grab] : m_grabs)
            ungrab(grab);
    }

    Result registerHotKey(std::uint32_t id, std::uint32_t keyCode, std::uint32_t modifiers) override
    {
        std::string name = describe(keyCode, modifiers);
        if (!m_connection || !m_connection->isAlive()) {
            base::diagnostic("global hot key " + name + " not registered: there is no X display");
            return Result::NoDisplay;
        }
        unregisterHotKey(id);

        const base::KeyCodes::Key* key = base::KeyCodes::find(keyCode);
        unsigned xKeyCode = key && key->keysym ? XKeysymToKeycode(m_connection->display(), key->keysym) : 0;
        if (xKeyCode == 0) {
            base::diagnostic("global hot key " + name + " not registered: the key is not on this keyboard");
            return Result::UnknownKey;
        }
        Grab grab { xKeyCode, xModifiers(modifiers) };
        for (const auto& [otherId, other] : m_grabs) {
            if (other.keyCode == grab.keyCode && other.modifiers == grab.modifiers) {
                base::diagnostic("global hot key " + name + " not registered: already registered as hot key "
                    + std::to_string(otherId));
                return Result::Taken;
            }
        }

        int error = m_connection->checked([&] {
            for (unsigned locks : lockVariants())
                XGrabKey(m_connection->display(), int(grab.keyCode), grab.modifiers | locks,
                    m_connection->rootWindow(), False, GrabModeAsync, GrabModeAsync);
        });
        if (error != 0) {
            // Some of the lock variants may have been granted; none of them may stay.
            ungrab(grab);
            base::diagnostic("global hot key " + name + " not registered: "
                + (error == BadAccess ? std::string("another program holds it")
                                      : "the X server refused it (error " + std::to_string(error) + ")"));
            return Result::Taken;
        }
        // Granted is not yet heard: a program holding a modifier key alone (a window manager's
        // menu on Super) takes the whole keyboard while it is down, and the key never comes.
        if (auto held = modifierHeldElsewhere(grab.modifiers)) {
            ungrab(grab);
            base::diagnostic("global hot key " + name + " not registered: another program holds the " + *held + " key");
            return Result::Taken;
        }
        m_grabs[id] = grab;
        return Result::Registered;
    }

    void unregisterHotKey(std::uint32_t id) override
    {
        auto found = m_grabs.find(id);
        if (found == m_grabs.end())
            return;
        ungrab(found->second);
        m_grabs.erase(found);
    }

private:
    struct Grab {
        unsigned keyCode { 0 };
        unsigned modifiers { 0 };
        bool down { false };
    };

    // The name of a modifier of the mask whose every key on this keyboard another program
    // grabs on its own; none when each can be held down for us.
    std::optional<std::string> modifierHeldElsewhere(unsigned modifiers)
    {
        struct Modifier {
            unsigned mask;
            const char* name;
            KeySym left, right;
        };
        static constexpr Modifier kModifiers[] = { { Mod4Mask, "Super", XK_Super_L, XK_Super_R },
            { ControlMask, "Ctrl", XK_Control_L, XK_Control_R }, { Mod1Mask, "Alt", XK_Alt_L, XK_Alt_R },
            { ShiftMask, "Shift", XK_Shift_L, XK_Shift_R } };
        Display* display = m_connection->display();
        for (const Modifier& modifier : kModifiers) {
            if (!(modifiers & modifier.mask))
                continue;
            int keys = 0, held = 0;
            for (KeySym sym : { modifier.left, modifier.right }) {
                unsigned keyCode = XKeysymToKeycode(display, sym);
                if (keyCode == 0)
                    continue;
                ++keys;
                // A grab of our own for a moment: refused, somebody else has that key.
                int error = m_connection->checked([&] {
                    XGrabKey(display, int(keyCode), 0, m_connection->rootWindow(), False, GrabModeAsync, GrabModeAsync);
                });
                if (error == BadAccess)
                    ++held;
                else if (error == 0)
                    m_connection->checked([&] { XUngrabKey(display, int(keyCode), 0, m_connection->rootWindow()); });
            }
            if (keys > 0 && held == keys)
                return std::string(modifier.name);
        }
        return std::nullopt;
    }

    static unsigned findNumLockMask(Display* display)
    {
        unsigned mask = 0;
        KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
        XModifierKeymap* map = XGetModifierMapping(display);
        if (!map)
            return Mod2Mask;
        for (int modifier = 0; modifier < 8 && numLock; ++modifier) {
            for (int i = 0; i < map->max_keypermod; ++i) {
                if (map->modifiermap[modifier * map->max_keypermod + i] == numLock)
                    mask = 1u << modifier;
            }
        }
        XFreeModifiermap(map);
        return mask;
    }

    // A grab matches the modifier state exactly, so a hot key must be grabbed once for each
    // state of Caps Lock and Num Lock to work whatever the user left them at.
    std::array<unsigned, 4> lockVariants() const { return { 0u, LockMask, m_numLockMask, LockMask | m_numLockMask }; }

    void ungrab(const Grab& grab)
    {
        if (!m_connection->isAlive())
            return;
        m_connection->checked([&] {
            for (unsigned locks : lockVariants())
                XUngrabKey(m_connection->display(), int(grab.keyCode), grab.modifiers | locks,
                    m_connection->rootWindow());
        });
    }

    void handle(const XEvent& event)
    {
        if (event.type != KeyPress && event.type != KeyRelease)
            return;
        unsigned keyCode = event.xkey.keycode;
        m_deliveredKeyTime = static_cast<std::uint32_t>(event.xkey.time);
        unsigned state = event.xkey.state & kMatchedModifiers;
        for (auto& [id, grab] : m_grabs) {
            if (grab.keyCode != keyCode)
                continue;
            if (event.type == KeyPress && grab.modifiers == state && !grab.down) {
                grab.down = true;
                deliver(id, Phase::Pressed);
                return;
            }
            // The modifiers may already be up when the key itself is released.
            if (event.type == KeyRelease && grab.down) {
                grab.down = false;
                deliver(id, Phase::Released);
                return;
            }
        }
    }

    // Last thing done for an event: the handler may register or unregister hot keys.
    void deliver(std::uint32_t id, Phase phase)
    {
        if (on_hot_key)
            on_hot_key(id, phase);
    }

    std::shared_ptr<X11Connection> m_connection;
    X11Connection::HandlerId m_handler { 0 };
    unsigned m_numLockMask { Mod2Mask };
    std::map<std::uint32_t, Grab> m_grabs;
};
}

std::unique_ptr<HotKeys> HotKeys::create()
{
    return createForDisplay(X11Connection::shared());
}

std::unique_ptr<HotKeys> HotKeys::createForDisplay(std::shared_ptr<X11Connection> connection)
{
    return std::make_unique<X11HotKeys>(std::move(connection));
}

HotKeys::Result ManualHotKeys::registerHotKey(std::uint32_t id, std::uint32_t keyCode, std::uint32_t modifiers)
{
    unregisterHotKey(id);
    Combination combination { keyCode, modifiers };
    if (m_heldElsewhere == combination)
        return Result::Taken;
    for (const auto& [otherId, other] : m_registered) {
        if (other == combination)
            return Result::Taken;
    }
    if (!base::KeyCodes::find(keyCode))
        return Result::UnknownKey;
    m_registered[id] = combination;
    return Result::Registered;
}

void ManualHotKeys::unregisterHotKey(std::uint32_t id)
{
    m_registered.erase(id);
}

bool ManualHotKeys::press(Combination combination)
{
    for (const auto& [id, registered] : m_registered) {
        if (registered == combination) {
            std::uint32_t pressedId = id;
            if (on_hot_key)
                on_hot_key(pressedId, Phase::Pressed);
            if (on_hot_key)
                on_hot_key(pressedId, Phase::Released);
            return true;
        }
    }
    return false;
}

}
