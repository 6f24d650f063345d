#include "command/HotKey.h"

#include "command/HotKeysController.h"

#include "platform/base/Uuid.h"

namespace ostrel {

HotKey::HotKey(KeyCombo keyCombo, Handler keyDownHandler, Handler keyUpHandler)
    : keyDownHandler(std::move(keyDownHandler))
    , keyUpHandler(std::move(keyUpHandler))
    , m_identifier(base::makeUuid())
    , m_keyCombo(keyCombo)
{
}

std::shared_ptr<HotKey> HotKey::create(KeyCombo keyCombo, Handler keyDownHandler, Handler keyUpHandler)
{
    std::shared_ptr<HotKey> hotKey(new HotKey(keyCombo, std::move(keyDownHandler), std::move(keyUpHandler)));
    // Only once the object is shared can the registry hold it weakly.
    HotKeysController::registerHotKey(hotKey);
    return hotKey;
}

std::shared_ptr<HotKey> HotKey::create(uint32_t carbonKeyCode, uint32_t carbonModifiers, Handler keyDownHandler,
    Handler keyUpHandler)
{
    return create(KeyCombo(carbonKeyCode, carbonModifiers), std::move(keyDownHandler), std::move(keyUpHandler));
}

std::shared_ptr<HotKey> HotKey::create(Key key, uint64_t modifiers, Handler keyDownHandler, Handler keyUpHandler)
{
    return create(KeyCombo(key, modifiers), std::move(keyDownHandler), std::move(keyUpHandler));
}

HotKey::~HotKey()
{
    HotKeysController::unregisterHotKey(*this);
}

void HotKey::setPaused(bool paused)
{
    m_isPaused = paused;
    if (paused)
        HotKeysController::unregisterHotKey(*this);
    else
        HotKeysController::registerHotKey(shared_from_this());
}

}
