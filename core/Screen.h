#pragma once

#include "platform/base/KeyedProperties.h"
#include "platform/base/Responder.h"

#include <memory>
#include <string>

namespace ostrel {

// What the screen state machine needs of a screen; the screens' own base class implements
// it. Transition targets are keyed properties named for the transition ("next", "elapsed",
// ...), each holding a TransitionTarget.
class Screen : public base::Responder, public base::KeyedProperties {
public:
    // Weak: the screens point at each other in circles, and the wiring object owns them.
    using TransitionTarget = std::weak_ptr<Screen>;

    // Overrides must call the base class's activate and deactivate, which raise the flag.
    virtual void activate() = 0;
    virtual void deactivate() = 0;

    bool superClassCalledFlag() const { return m_superClassCalledFlag; }
    void setSuperClassCalledFlag(bool called) { m_superClassCalledFlag = called; }

    // The screen wired under a transition name, or null while unset. A name the screen does
    // not expose at all is a programming error.
    std::shared_ptr<Screen> transitionTarget(const std::string& name) const
    {
        return valueAs<TransitionTarget>(name).lock();
    }

    virtual std::string description() const = 0;
    virtual std::string className() const = 0;

protected:
    void exposeTransition(const std::string& name, TransitionTarget& target) { exposeMember(name, target); }

private:
    bool m_superClassCalledFlag { false };
};

}
