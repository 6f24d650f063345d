#include "core/KVOResponder.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/Observable.h"

namespace ostrel {

std::shared_ptr<KVOResponder> KVOResponder::create(std::string keyPath, std::shared_ptr<base::Defaults> object,
    bool hot, ReactingFunc reactingFunc)
{
    std::shared_ptr<KVOResponder> responder(new KVOResponder);
    responder->m_keyPath = std::move(keyPath);
    responder->m_reactingFunc = [object, reactingFunc = std::move(reactingFunc)](const std::string& key) {
        reactingFunc(*object, key);
    };
    // The store calls back with a plain pointer; the bag takes the observer out again
    // before this responder is gone.
    auto* self = responder.get();
    auto id = object->addObserver(self->m_keyPath, [self](const std::string& key) { self->observeValue(key); });
    std::weak_ptr<base::Defaults> observed = object;
    self->m_endOfLifeBag.add([observed, id] {
        if (auto defaults = observed.lock())
            defaults->removeObserver(id);
    });
    if (hot)
        self->observeValue(self->m_keyPath);
    return responder;
}

std::shared_ptr<KVOResponder> KVOResponder::create(std::string keyPath, std::shared_ptr<base::Observable> object,
    bool hot, ObjectReactingFunc reactingFunc)
{
    std::shared_ptr<KVOResponder> responder(new KVOResponder);
    responder->m_keyPath = std::move(keyPath);
    // Weak inside the closure: the observed object keeps its observers, and those must not
    // keep it alive in turn.
    std::weak_ptr<base::Observable> observed = object;
    responder->m_reactingFunc = [observed, reactingFunc = std::move(reactingFunc)](const std::string& key) {
        if (auto strong = observed.lock())
            reactingFunc(*strong, key);
    };
    auto* self = responder.get();
    auto token = object->addObserver(self->m_keyPath,
        [self](base::Observable&, const std::string& key) { self->observeValue(key); });
    self->m_endOfLifeBag.add([observed, token] {
        if (auto strong = observed.lock())
            strong->removeObserver(token);
    });
    if (hot)
        self->observeValue(self->m_keyPath);
    return responder;
}

void KVOResponder::observeValue(const std::string& keyPath)
{
    if (!m_reactingFunc)
        base::fatal("KVOResponder: change reported without a reacting closure");
    m_reactingFunc(keyPath);
}

}
