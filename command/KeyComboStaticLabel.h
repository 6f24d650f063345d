#pragma once

#include "core/KeyCombo.h"
#include "viewkit/Wall.h"

#include "platform/gfx/TextLayout.h"

#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// A key combination drawn as a row of cells at the right end of a result row: the key, then
// the modifiers, each cell further left, so it reads as the combination's own description.
class KeyComboStaticLabel final : public Wall {
public:
    static std::shared_ptr<KeyComboStaticLabel> create(double fontSize, gfx::Color textColor);

    // One cell's width, and the gap between cells.
    double width() const { return m_width; }
    double horizontalInset() const { return m_horizontalInset; }
    const gfx::TextStyle& attributes() const { return m_attributes; }
    // The first is drawn rightmost.
    const std::vector<std::string>& symbolList() const { return m_symbolList; }

    // The caller asks for the redraw.
    void configure(const std::optional<KeyCombo>& keyCombo);
    // How far in from the right edge the symbols reach: 0 without a combination.
    double symbolsWidth() const;

private:
    friend class Wall;
    KeyComboStaticLabel(double fontSize, gfx::Color textColor);
    void finishCreation() override;
    void drawSymbols(const ui::Rect& bounds) const;
    void appendSymbols(const KeyCombo& keyCombo);
    double cellWidth(const std::string& symbol) const;

    double m_width { 13 };
    double m_horizontalInset { 0 };
    gfx::TextStyle m_attributes;
    std::vector<std::string> m_symbolList;
    // Six cells at least; a combination written out in words ("Ctrl+Alt+N") widens it.
    std::shared_ptr<ui::Constraint> m_widthConstraint;
};

}
