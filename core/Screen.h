#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace ostrel {

// What the screen state machine needs of a screen; the screens' own base class implements it.
class Screen {
public:
    virtual ~Screen() = default;

    // Overrides must call the base class's activate and deactivate, which raise the flag.
    virtual void activate() = 0;
    virtual void deactivate() = 0;

    bool superClassCalledFlag() const { return m_superClassCalledFlag; }
    void setSuperClassCalledFlag(bool called) { m_superClassCalledFlag = called; }

    // The screen wired under a transition name ("next", "elapsed", ...), or null while unset.
    // A name that is no transition of the screen at all is a programming error.
    virtual std::shared_ptr<Screen> transitionTarget(std::string_view name) const = 0;

    virtual std::string description() const = 0;
    virtual std::string className() const = 0;

private:
    bool m_superClassCalledFlag { false };
};

}
