#pragma once

#include "core/KeyCombo.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace ostrel {

// One global hot key. It registers itself when made and unregisters itself when it ends, so
// whoever holds it decides how long the combination stays ours.
class HotKey final : public std::enable_shared_from_this<HotKey> {
public:
    using Handler = std::function<void()>;

    static std::shared_ptr<HotKey> create(KeyCombo keyCombo, Handler keyDownHandler = {}, Handler keyUpHandler = {});
    static std::shared_ptr<HotKey> create(uint32_t carbonKeyCode, uint32_t carbonModifiers,
        Handler keyDownHandler = {}, Handler keyUpHandler = {});
    // A key with event modifier flags, as the recorder reports them.
    static std::shared_ptr<HotKey> create(Key key, uint64_t modifiers, Handler keyDownHandler = {},
        Handler keyUpHandler = {});
    ~HotKey();

    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;

    const std::string& identifier() const { return m_identifier; }
    const KeyCombo& keyCombo() const { return m_keyCombo; }

    // Pausing gives the combination back; resuming registers it again under a new number.
    bool isPaused() const { return m_isPaused; }
    void setPaused(bool paused);

    Handler keyDownHandler;
    Handler keyUpHandler;

private:
    HotKey(KeyCombo keyCombo, Handler keyDownHandler, Handler keyUpHandler);

    std::string m_identifier;
    KeyCombo m_keyCombo;
    bool m_isPaused { false };
};

}
