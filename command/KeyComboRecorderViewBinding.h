#pragma once

#include "command/KeyComboRecorderView.h"
#include "viewkit/Binding.h"

namespace ostrel {

// A recorder tied to a variable of an optional combination: the recorder shows the variable
// (at once on activate), and each session's combination goes into the variable.
class KeyComboRecorderViewBinding : public Binding<std::optional<KeyCombo>>, public Unbindable,
                                    public std::enable_shared_from_this<KeyComboRecorderViewBinding> {
public:
    using Value = std::optional<KeyCombo>;

    static std::shared_ptr<KeyComboRecorderViewBinding> create(std::shared_ptr<KeyComboRecorderView> recorder,
        std::shared_ptr<ReadWriteVariableType<Value>> variable);

    const std::shared_ptr<KeyComboRecorderView>& recorder() const { return m_recorder; }
    const std::shared_ptr<AnyReadWriteVariable<Value>>& variable() const { return m_variable; }

    KeyComboRecorderViewBinding& activate();
    void unbind() override;

private:
    KeyComboRecorderViewBinding() = default;

    std::shared_ptr<KeyComboRecorderView> m_recorder;
    std::shared_ptr<AnyReadWriteVariable<Value>> m_variable;
    ListenerToken m_listenerToken;
};

}
