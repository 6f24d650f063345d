#include "command/KeyComboStaticLabel.h"

#include "viewkit/LayoutConstraintMaker.h"

#include <algorithm>
#include <cmath>

namespace ostrel {

std::shared_ptr<KeyComboStaticLabel> KeyComboStaticLabel::create(double fontSize, gfx::Color textColor)
{
    return make<KeyComboStaticLabel>(fontSize, textColor);
}

KeyComboStaticLabel::KeyComboStaticLabel(double fontSize, gfx::Color textColor)
    : Wall({})
    , m_attributes(gfx::Font::system(fontSize), textColor, gfx::ParagraphStyle { gfx::TextAlignment::center })
{
    setTranslatesAutoresizingMaskIntoConstraints(false);
    LayoutConstraintMaker maker(*this);
    maker.width(m_width * 6).height(2 * fontSize);
    m_widthConstraint = maker.constraints().front();
    addConstraints(maker.constraints());
}

void KeyComboStaticLabel::finishCreation()
{
    Wall::finishCreation();
    backgroundDrawingFunc = [this](const ui::Rect& bounds) { drawSymbols(bounds); };
}

void KeyComboStaticLabel::configure(const std::optional<KeyCombo>& keyCombo)
{
    m_symbolList.clear();
    if (keyCombo)
        appendSymbols(*keyCombo);
    m_widthConstraint->setConstant(std::max(m_width * 6, symbolsWidth()));
}

double KeyComboStaticLabel::symbolsWidth() const
{
    double needed = 0;
    for (auto& symbol : m_symbolList)
        needed += cellWidth(symbol) + m_horizontalInset;
    return needed;
}

void KeyComboStaticLabel::appendSymbols(const KeyCombo& keyCombo)
{
    if (auto key = keyCombo.key())
        m_symbolList.push_back(key->description());
    // Right to left: the reverse of the order the combination's description writes them in
    // (Super, Ctrl, Alt, Shift, then the key).
    auto flags = keyCombo.modifiers();
    for (auto modifier : { EventModifier::shift, EventModifier::option, EventModifier::command, EventModifier::control }) {
        if (!(flags & modifier))
            continue;
        std::string symbol = modifierSymbols(modifier);
        // Without a key the rightmost modifier ends the description: no "+" after it.
        if (m_symbolList.empty() && !symbol.empty())
            symbol.pop_back();
        m_symbolList.push_back(symbol);
    }
}

double KeyComboStaticLabel::cellWidth(const std::string& symbol) const
{
    // A symbol is one cell wide; a key name written out takes what it needs.
    gfx::TextLayout layout(symbol, m_attributes);
    return std::max(m_width, std::ceil(layout.boundingRect().width()) + 2);
}

void KeyComboStaticLabel::drawSymbols(const ui::Rect& bounds) const
{
    double right = bounds.maxX();
    for (auto& symbol : m_symbolList) {
        double cell = cellWidth(symbol);
        gfx::TextLayout centred(symbol, m_attributes, cell);
        centred.draw(ui::Rect(right - cell, bounds.minY(), cell, 20.0), gfx::TextClipping::none);
        right -= cell + m_horizontalInset;
    }
}

}
