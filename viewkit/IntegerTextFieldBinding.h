#pragma once

#include "viewkit/Binding.h"
#include "viewkit/IntegerTextField.h"

namespace ostrel {

// An integer field tied to an integer variable: the number is written on Return (and on the
// arrow steps or edits the field is set to report).
template<typename T>
class IntegerTextFieldBinding : public Binding<T>, public Unbindable, public std::enable_shared_from_this<IntegerTextFieldBinding<T>> {
public:
    static std::shared_ptr<IntegerTextFieldBinding> create(std::shared_ptr<IntegerTextField> brick,
        std::shared_ptr<ReadWriteVariableType<T>> variable)
    {
        std::shared_ptr<IntegerTextFieldBinding> binding(new IntegerTextFieldBinding);
        binding->m_brick = std::move(brick);
        binding->m_variable = Binding<T>::wrapped(std::move(variable));
        return binding;
    }

    IntegerTextFieldBinding& activate()
    {
        std::weak_ptr<IntegerTextFieldBinding> weakSelf = this->weak_from_this();
        if (m_variable) {
            m_listenerToken = m_variable->addHotListener([weakSelf](const T& value) {
                auto self = weakSelf.lock();
                if (self && self->m_brick && self->m_brick->integerValue() != static_cast<std::int64_t>(value))
                    self->m_brick->setIntegerValue(static_cast<std::int64_t>(value));
            });
        }
        if (m_brick) {
            m_brick->returnKeyActionFunction = [weakSelf] {
                if (auto self = weakSelf.lock(); self && self->m_brick && self->m_variable)
                    self->m_variable->setValue(static_cast<T>(self->m_brick->integerValue()));
            };
        }
        return *this;
    }
    void unbind() override
    {
        m_listenerToken.reset();
        if (m_brick)
            m_brick->returnKeyActionFunction = {};
        m_brick.reset();
        m_variable.reset();
    }

private:
    IntegerTextFieldBinding() = default;

    std::shared_ptr<IntegerTextField> m_brick;
    std::shared_ptr<AnyReadWriteVariable<T>> m_variable;
    ListenerToken m_listenerToken;
};

}
