#include "viewkit/CheckBoxBrickBinding.h"

namespace ostrel {

std::shared_ptr<CheckBoxBrickBinding> CheckBoxBrickBinding::create(std::shared_ptr<CheckBoxBrick> brick,
    std::shared_ptr<ReadWriteVariableType<bool>> variable)
{
    std::shared_ptr<CheckBoxBrickBinding> binding(new CheckBoxBrickBinding);
    binding->m_brick = std::move(brick);
    binding->m_variable = wrapped(std::move(variable));
    return binding;
}

CheckBoxBrickBinding& CheckBoxBrickBinding::activate()
{
    std::weak_ptr<CheckBoxBrickBinding> weakSelf = weak_from_this();
    if (m_variable) {
        m_listenerToken = m_variable->addHotListener([weakSelf](const bool& on) {
            if (auto self = weakSelf.lock(); self && self->m_brick)
                self->m_brick->setState(on ? ui::ControlStateValue::On : ui::ControlStateValue::Off);
        });
    }
    if (m_brick) {
        m_brick->actualCheckboxFunc = [weakSelf](bool on) {
            if (auto self = weakSelf.lock(); self && self->m_variable)
                self->m_variable->setValue(on);
        };
        m_brick->reportThroughActionMethod();
    }
    return *this;
}

void CheckBoxBrickBinding::unbind()
{
    m_listenerToken.reset();
    if (m_brick)
        m_brick->actualCheckboxFunc = {};
    m_brick.reset();
    m_variable.reset();
}

}
