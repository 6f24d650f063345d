#include "core/StateMachine.h"

#include "core/ZrLog.h"
#include "platform/base/Diagnostics.h"

#include <string>

namespace ostrel {

namespace {
std::shared_ptr<StateMachine>& sharedInstance()
{
    static std::shared_ptr<StateMachine> instance;
    return instance;
}
}

std::shared_ptr<StateMachine> StateMachine::create()
{
    return std::shared_ptr<StateMachine>(new StateMachine);
}

std::shared_ptr<StateMachine> StateMachine::sharedStateMachine()
{
    return sharedInstance();
}

void StateMachine::awakeFromNib()
{
    sharedInstance() = shared_from_this();
}

void StateMachine::start()
{
    m_currentState = m_initialState;
    if (m_currentState)
        m_currentState->activate();
    reconfigureResponderChain();
}

void StateMachine::triggerTransition(std::string_view name)
{
    std::string transition(name);
    if (!m_currentState)
        base::fatal("[StateMachine triggerTransition: '" + transition + "'] - the machine has not been started");
    zr_log("StateMachine: trigger transition: %s of state: %s", transition.c_str(),
        m_currentState->description().c_str());

    m_currentState->setSuperClassCalledFlag(false);
    m_currentState->deactivate();
    if (!m_currentState->superClassCalledFlag())
        base::fatal(m_currentState->className() + " class does not call [super deactivate] correctly");

    auto target = m_currentState->transitionTarget(transition);
    if (!target)
        base::fatal("[StateMachine triggerTransition: '" + transition + "'] - transition target state is not defined!");
    m_currentState = std::move(target);

    m_currentState->setSuperClassCalledFlag(false);
    m_currentState->activate();
    if (!m_currentState->superClassCalledFlag())
        base::fatal(m_currentState->className() + " class does not call [super activate] correctly");

    reconfigureResponderChain();
    zr_log("StateMachine: now in new state: %s", m_currentState->description().c_str());
}

void StateMachine::reconfigureResponderChain()
{
    setNextResponder(m_currentState.get());
}

}
