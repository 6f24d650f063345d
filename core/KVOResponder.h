#pragma once

#include "core/EndOfLifeBag.h"

#include <functional>
#include <memory>
#include <string>

namespace base {
class Defaults;
class Observable;
}

namespace ostrel {

// Calls a closure whenever one key path of an observed object changes (for the settings
// store: one key, whoever changed it). The observation ends when the responder goes (its
// bag removes it).
class KVOResponder {
public:
    using ReactingFunc = std::function<void(base::Defaults& object, const std::string& keyPath)>;
    using ObjectReactingFunc = std::function<void(base::Observable& object, const std::string& keyPath)>;

    // With `hot`, the closure also runs once at once.
    static std::shared_ptr<KVOResponder> create(std::string keyPath, std::shared_ptr<base::Defaults> object,
        bool hot, ReactingFunc reactingFunc);
    static std::shared_ptr<KVOResponder> create(std::string keyPath, std::shared_ptr<base::Observable> object,
        bool hot, ObjectReactingFunc reactingFunc);

    const std::string& keyPath() const { return m_keyPath; }

private:
    KVOResponder() = default;
    void observeValue(const std::string& keyPath);

    std::string m_keyPath;
    // The closure holds the observed object.
    std::function<void(const std::string& keyPath)> m_reactingFunc;
    // Last, so that the observation is removed before the fields above go.
    EndOfLifeBag m_endOfLifeBag;
};

}
