#include "command/KeyComboRecorderViewBinding.h"

namespace ostrel {

std::shared_ptr<KeyComboRecorderViewBinding> KeyComboRecorderViewBinding::create(
    std::shared_ptr<KeyComboRecorderView> recorder, std::shared_ptr<ReadWriteVariableType<Value>> variable)
{
    std::shared_ptr<KeyComboRecorderViewBinding> binding(new KeyComboRecorderViewBinding);
    binding->m_recorder = std::move(recorder);
    binding->m_variable = wrapped(std::move(variable));
    return binding;
}

KeyComboRecorderViewBinding& KeyComboRecorderViewBinding::activate()
{
    std::weak_ptr<KeyComboRecorderViewBinding> weakSelf = weak_from_this();
    if (m_variable) {
        m_listenerToken = m_variable->addHotListener([weakSelf](const Value& combo) {
            if (auto self = weakSelf.lock(); self && self->m_recorder)
                self->m_recorder->setKeyCombo(combo);
        });
    }
    if (m_recorder) {
        m_recorder->keyComboChangeClientHandler = [weakSelf](const Value& combo) {
            if (auto self = weakSelf.lock(); self && self->m_variable)
                self->m_variable->setValue(combo);
        };
    }
    return *this;
}

void KeyComboRecorderViewBinding::unbind()
{
    m_listenerToken.reset();
    if (m_recorder)
        m_recorder->keyComboChangeClientHandler = {};
    m_recorder.reset();
    m_variable.reset();
}

}
