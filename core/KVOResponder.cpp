#include "core/KVOResponder.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"

namespace ostrel {

std::shared_ptr<KVOResponder> KVOResponder::create(std::string keyPath, std::shared_ptr<base::Defaults> object,
    bool hot, ReactingFunc reactingFunc)
{
    std::shared_ptr<KVOResponder> responder(new KVOResponder);
    responder->m_keyPath = std::move(keyPath);
    responder->m_observedObject = std::move(object);
    responder->m_reactingFunc = std::move(reactingFunc);

    // The store calls back with a plain pointer; the bag takes the observer out again
    // before this responder is gone.
    auto* self = responder.get();
    auto id = self->m_observedObject->addObserver(self->m_keyPath, [self](const std::string& key) {
        self->observeValue(key);
    });
    std::weak_ptr<base::Defaults> observed = self->m_observedObject;
    self->m_endOfLifeBag.add([observed, id] {
        if (auto defaults = observed.lock())
            defaults->removeObserver(id);
    });
    if (hot)
        self->m_reactingFunc(*self->m_observedObject, self->m_keyPath);
    return responder;
}

void KVOResponder::observeValue(const std::string& keyPath)
{
    if (!m_reactingFunc)
        base::fatal("KVOResponder: change reported without a reacting closure");
    m_reactingFunc(*m_observedObject, keyPath);
}

}
