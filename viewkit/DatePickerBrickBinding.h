#pragma once

#include "viewkit/Binding.h"
#include "viewkit/DatePickerBrick.h"

namespace ostrel {

// A date picker tied to a variable of moments (seconds since the reference date, any type
// made from and turned into a double).
template<typename T>
class DatePickerBrickBinding : public Binding<T>, public Unbindable, public std::enable_shared_from_this<DatePickerBrickBinding<T>> {
public:
    static std::shared_ptr<DatePickerBrickBinding> create(std::shared_ptr<DatePickerBrick> brick,
        std::shared_ptr<ReadWriteVariableType<T>> variable)
    {
        std::shared_ptr<DatePickerBrickBinding> binding(new DatePickerBrickBinding);
        binding->m_brick = std::move(brick);
        binding->m_variable = Binding<T>::wrapped(std::move(variable));
        return binding;
    }

    DatePickerBrickBinding& activate()
    {
        std::weak_ptr<DatePickerBrickBinding> weakSelf = this->weak_from_this();
        if (m_variable) {
            m_listenerToken = m_variable->addHotListener([weakSelf](const T& moment) {
                if (auto self = weakSelf.lock(); self && self->m_brick)
                    self->m_brick->setDateValue(static_cast<double>(moment));
            });
        }
        if (m_brick) {
            m_brick->dateValueChangedFunc = [weakSelf](double moment) {
                if (auto self = weakSelf.lock(); self && self->m_variable)
                    self->m_variable->setValue(static_cast<T>(moment));
            };
        }
        return *this;
    }
    void unbind() override
    {
        m_listenerToken.reset();
        if (m_brick)
            m_brick->dateValueChangedFunc = {};
        m_brick.reset();
        m_variable.reset();
    }

private:
    DatePickerBrickBinding() = default;

    std::shared_ptr<DatePickerBrick> m_brick;
    std::shared_ptr<AnyReadWriteVariable<T>> m_variable;
    ListenerToken m_listenerToken;
};

}
