#pragma once

#include "core/KeyCombo.h"
#include "command/MatchingItem.h"

#include <functional>
#include <memory>
#include <optional>

namespace ostrel {

// A command: runs its stored closure. Its key combination is only shown in the row.
class ActionMatchingItem final : public MatchingItem {
public:
    static std::shared_ptr<ActionMatchingItem> create(std::string preciseString,
        std::vector<std::string> expandedStrings, MatchingItemKind kind, std::function<void()> executableFunc);

    const std::optional<KeyCombo>& keyCombo() const { return m_keyCombo; }
    void setKeyCombo(std::optional<KeyCombo> keyCombo) { m_keyCombo = keyCombo; }
    void setEnabled(bool enabled) { m_isEnabled = enabled; }
    void setShouldDismissBeforeExecution(bool dismiss) { m_shouldDismissBeforeExecution = dismiss; }

    // "Action" for the action kinds whatever the path; the path for the rest.
    std::string byLineString() const override;
    bool isEnabled() const override { return m_isEnabled; }
    void execute() override;
    bool dismissBeforeExecution() const override { return m_shouldDismissBeforeExecution; }

private:
    ActionMatchingItem(std::string preciseString, std::vector<std::string> expandedStrings,
        MatchingItemKind kind, std::function<void()> executableFunc);

    std::function<void()> m_executableFunc;
    std::optional<KeyCombo> m_keyCombo;
    bool m_isEnabled { true };
    bool m_shouldDismissBeforeExecution { true };
};

}
