#pragma once

#include "viewkit/Binding.h"
#include "viewkit/CheckBoxBrick.h"

namespace ostrel {

// A check box tied to a Boolean variable: the box shows the variable (at once on activate),
// a click writes the new state into it.
class CheckBoxBrickBinding : public Binding<bool>, public Unbindable, public std::enable_shared_from_this<CheckBoxBrickBinding> {
public:
    static std::shared_ptr<CheckBoxBrickBinding> create(std::shared_ptr<CheckBoxBrick> brick,
        std::shared_ptr<ReadWriteVariableType<bool>> variable);

    const std::shared_ptr<CheckBoxBrick>& brick() const { return m_brick; }
    const std::shared_ptr<AnyReadWriteVariable<bool>>& variable() const { return m_variable; }

    CheckBoxBrickBinding& activate();
    void unbind() override;

private:
    CheckBoxBrickBinding() = default;

    std::shared_ptr<CheckBoxBrick> m_brick;
    std::shared_ptr<AnyReadWriteVariable<bool>> m_variable;
    ListenerToken m_listenerToken;
};

}
