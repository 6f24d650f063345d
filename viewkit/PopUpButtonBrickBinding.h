#pragma once

#include "viewkit/Binding.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/SmartMenuItem.h"

#include <string>
#include <utility>
#include <vector>

namespace ostrel {

// A pop-up whose items stand for values of T (compared with ==), tied to a variable of T:
// the pop-up selects the item of the variable's value, choosing an item writes its value.
template<typename T>
class PopUpButtonBrickBinding : public Binding<T>, public Unbindable, public std::enable_shared_from_this<PopUpButtonBrickBinding<T>> {
public:
    static std::shared_ptr<PopUpButtonBrickBinding> create(std::shared_ptr<PopUpButtonBrick> brick,
        std::shared_ptr<ReadWriteVariableType<T>> variable)
    {
        std::shared_ptr<PopUpButtonBrickBinding> binding(new PopUpButtonBrickBinding);
        binding->m_brick = std::move(brick);
        binding->m_variable = Binding<T>::wrapped(std::move(variable));
        return binding;
    }

    const std::shared_ptr<PopUpButtonBrick>& brick() const { return m_brick; }
    const std::shared_ptr<AnyReadWriteVariable<T>>& variable() const { return m_variable; }

    std::shared_ptr<SmartMenuItem> addItem(const std::string& title, T value)
    {
        if (!m_brick)
            return nullptr;
        std::weak_ptr<PopUpButtonBrickBinding> weakSelf = this->weak_from_this();
        auto item = SmartMenuItem::create(title, [weakSelf, value] {
            if (auto self = weakSelf.lock(); self && self->m_variable)
                self->m_variable->setValue(value);
        });
        m_brick->menu()->addItem(item);
        m_values.emplace_back(item, std::move(value));
        return item;
    }
    void addSeparator()
    {
        if (m_brick)
            m_brick->menu()->addItem(ui::MenuItem::separator());
    }

    PopUpButtonBrickBinding& activate()
    {
        if (!m_variable)
            return *this;
        std::weak_ptr<PopUpButtonBrickBinding> weakSelf = this->weak_from_this();
        m_listenerToken = m_variable->addHotListener([weakSelf](const T& value) {
            auto self = weakSelf.lock();
            if (!self || !self->m_brick)
                return;
            for (const auto& [item, itemValue] : self->m_values) {
                if (itemValue == value) {
                    self->m_brick->selectItemAt(self->m_brick->menu()->indexOfItem(item.get()));
                    return;
                }
            }
        });
        return *this;
    }
    void unbind() override
    {
        m_listenerToken.reset();
        m_brick.reset();
        m_variable.reset();
    }

private:
    PopUpButtonBrickBinding() = default;

    std::shared_ptr<PopUpButtonBrick> m_brick;
    std::shared_ptr<AnyReadWriteVariable<T>> m_variable;
    std::vector<std::pair<std::shared_ptr<SmartMenuItem>, T>> m_values;
    ListenerToken m_listenerToken;
};

}
