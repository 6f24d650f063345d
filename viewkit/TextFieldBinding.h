#pragma once

#include "viewkit/Binding.h"
#include "viewkit/SmartTextField.h"

#include <string>

namespace ostrel {

// A text field tied to a variable of text (any type made from and turned into a string):
// every edit writes the variable.
template<typename T>
class TextFieldBinding : public Binding<T>, public Unbindable, public std::enable_shared_from_this<TextFieldBinding<T>> {
public:
    static std::shared_ptr<TextFieldBinding> create(std::shared_ptr<SmartTextField> brick, std::shared_ptr<ReadWriteVariableType<T>> variable)
    {
        std::shared_ptr<TextFieldBinding> binding(new TextFieldBinding);
        binding->m_brick = std::move(brick);
        binding->m_variable = Binding<T>::wrapped(std::move(variable));
        return binding;
    }

    TextFieldBinding& activate()
    {
        std::weak_ptr<TextFieldBinding> weakSelf = this->weak_from_this();
        if (m_variable) {
            m_listenerToken = m_variable->addHotListener([weakSelf](const T& value) {
                auto self = weakSelf.lock();
                std::string text(value);
                // The user's own edit coming back: leave the caret where it is.
                if (self && self->m_brick && self->m_brick->stringValue() != text)
                    self->m_brick->setStringValue(text);
            });
        }
        if (m_brick) {
            m_brick->textChangedAction = [weakSelf](const std::string& text) {
                if (auto self = weakSelf.lock(); self && self->m_variable)
                    self->m_variable->setValue(T(text));
            };
        }
        return *this;
    }
    void unbind() override
    {
        m_listenerToken.reset();
        if (m_brick)
            m_brick->textChangedAction = {};
        m_brick.reset();
        m_variable.reset();
    }

private:
    TextFieldBinding() = default;

    std::shared_ptr<SmartTextField> m_brick;
    std::shared_ptr<AnyReadWriteVariable<T>> m_variable;
    ListenerToken m_listenerToken;
};

}
