#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace desktop {

class X11Connection;

// Global hot keys: key combinations that reach us while another program is in front. A
// combination is a stored key code with its modifier mask (base/KeyCodes.h), grabbed with its
// Command as Ctrl, its Control as Super and its Option as Alt; the caller
// numbers its registrations and gets its presses and releases back under that number, on
// the main thread.
class HotKeys {
public:
    enum class Result {
        Registered,
        // Another program holds the combination, or every key of one of its modifiers (so that
        // holding that modifier down gives it the keyboard), or we registered it under another id.
        Taken,
        // The key is not on this keyboard, or the code names no key.
        UnknownKey,
        NoDisplay,
    };
    enum class Phase { Pressed, Released };

    // Over the shared X connection; without a display, every registration is a logged no-op.
    static std::unique_ptr<HotKeys> create();
    static std::unique_ptr<HotKeys> createForDisplay(std::shared_ptr<X11Connection> connection);

    virtual ~HotKeys() = default;

    // Registering an id again replaces its combination.
    virtual Result registerHotKey(std::uint32_t id, std::uint32_t keyCode, std::uint32_t modifiers) = 0;
    virtual void unregisterHotKey(std::uint32_t id) = 0;

    // Holding a key down calls this once for the press and once for the release.
    std::function<void(std::uint32_t id, Phase phase)> on_hot_key;

    // The display's time of the key being delivered (0 where there is none): a window the hot
    // key brings forward asks for the keyboard as of then, not as of a later click elsewhere.
    std::uint32_t deliveredKeyTime() const { return m_deliveredKeyTime; }

protected:
    std::uint32_t m_deliveredKeyTime { 0 };
};

// For tests of the code above this layer: remembers registrations and lets the test press.
class ManualHotKeys final : public HotKeys {
public:
    struct Combination {
        std::uint32_t keyCode { 0 };
        std::uint32_t modifiers { 0 };
        bool operator==(const Combination&) const = default;
    };

    Result registerHotKey(std::uint32_t id, std::uint32_t keyCode, std::uint32_t modifiers) override;
    void unregisterHotKey(std::uint32_t id) override;

    const std::map<std::uint32_t, Combination>& registered() const { return m_registered; }
    // Answers Taken for this combination from now on, as if another program held it.
    void holdElsewhere(Combination combination) { m_heldElsewhere = combination; }
    // Presses and releases the combination; false when nothing is registered for it.
    bool press(Combination combination);

private:
    std::map<std::uint32_t, Combination> m_registered;
    std::optional<Combination> m_heldElsewhere;
};

}
