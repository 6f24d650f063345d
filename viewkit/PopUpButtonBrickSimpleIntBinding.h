#pragma once

#include "viewkit/Binding.h"
#include "viewkit/PopUpButtonBrick.h"

#include <cstdint>
#include <string>

namespace ostrel {

class SmartMenuItem;

// A pop-up of items tagged with integers, tied to an integer variable: the pop-up selects the
// item tagged with the variable's value, choosing an item writes its tag. Add the items first.
class PopUpButtonBrickSimpleIntBinding : public Binding<std::int64_t>, public Unbindable,
                                         public std::enable_shared_from_this<PopUpButtonBrickSimpleIntBinding> {
public:
    static std::shared_ptr<PopUpButtonBrickSimpleIntBinding> create(std::shared_ptr<PopUpButtonBrick> brick,
        std::shared_ptr<ReadWriteVariableType<std::int64_t>> variable);

    const std::shared_ptr<PopUpButtonBrick>& brick() const { return m_brick; }
    const std::shared_ptr<AnyReadWriteVariable<std::int64_t>>& variable() const { return m_variable; }

    // Appended to the pop-up's menu, tagged with `value`; none without a brick.
    std::shared_ptr<SmartMenuItem> addItem(const std::string& title, std::int64_t value);
    PopUpButtonBrickSimpleIntBinding& activate();
    void unbind() override;

private:
    PopUpButtonBrickSimpleIntBinding() = default;

    std::shared_ptr<PopUpButtonBrick> m_brick;
    std::shared_ptr<AnyReadWriteVariable<std::int64_t>> m_variable;
    ListenerToken m_listenerToken;
};

}
