#pragma once

#include "core/Screen.h"

#include "platform/base/Responder.h"

#include <memory>
#include <string_view>

namespace ostrel {

// Switches the application between its screens by transition name and checks that every
// screen ran its base class's activation and deactivation. It sits in the responder chain
// directly in front of the current screen, so that commands reach that screen.
class StateMachine : public base::Responder, public std::enable_shared_from_this<StateMachine> {
public:
    static std::shared_ptr<StateMachine> create();
    // Null until the start-up wiring has woken the instance.
    static std::shared_ptr<StateMachine> sharedStateMachine();
    void awakeFromNib();

    void start();
    void triggerTransition(std::string_view name);

    std::shared_ptr<Screen> currentState() const { return m_currentState; }
    std::shared_ptr<Screen> initialState() const { return m_initialState; }
    void setInitialState(std::shared_ptr<Screen> screen) { m_initialState = std::move(screen); }

private:
    StateMachine() = default;
    void reconfigureResponderChain();

    std::shared_ptr<Screen> m_currentState;
    std::shared_ptr<Screen> m_initialState;
};

}
