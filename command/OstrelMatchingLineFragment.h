#pragma once

#include "command/MatchingLineFragment.h"

#include <memory>
#include <vector>

namespace ui {
class Constraint;
}

namespace ostrel {

class KeyComboStaticLabel;
class SmartTextField;

// The application's result row: the style kit's icon for the entry's kind, the option's
// state in words at the right, or the command's key combination there.
class OstrelMatchingLineFragment final : public MatchingLineFragment {
public:
    static std::shared_ptr<OstrelMatchingLineFragment> create();

    SmartTextField* rightAlignedTextField() const { return m_rightAlignedTextField.get(); }
    KeyComboStaticLabel* keyComboLabel() const { return m_keyComboLabel.get(); }

    void configure(const std::shared_ptr<MatchingItem>& item) override;
    void customDrawHighlightedBackground(const ui::Rect& frame) override;
    void customDrawChevronRight(const ui::Rect& frame, const gfx::Color& tint) override;
    void build() override;
    void changeColors() override;

    // What the state column says for an entry: its setting in words, or nothing.
    static std::string stateText(const MatchingItem& item);

private:
    friend class Wall;
    OstrelMatchingLineFragment() = default;
    void drawLeftIcon(const ui::Rect& frame, const gfx::Color& tint) override;

    std::shared_ptr<SmartTextField> m_rightAlignedTextField;
    std::shared_ptr<KeyComboStaticLabel> m_keyComboLabel;
    // Where the title and the by-line must end: short of the key, the state or the chevron.
    std::vector<std::shared_ptr<ui::Constraint>> m_textRoom;
};

}
