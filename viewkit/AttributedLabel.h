#pragma once

#include "platform/text/AttributedString.h"
#include "platform/ui/TextField.h"

#include <memory>
#include <optional>
#include <string>

namespace ostrel {

// A standard label that can also show rich text: times of day whose "am" or "pm" is set in a
// font of its own. Runs without a font or colour take the label's. Setting a plain text
// later shows that text again.
class AttributedLabel : public ui::TextField {
public:
    static std::shared_ptr<AttributedLabel> create(std::string title);

    // The rich text shown, while the label still shows it.
    std::optional<text::AttributedString> attributedStringValue() const;
    void setAttributedStringValue(text::AttributedString value);

    ui::Size intrinsicContentSize() const override;
    std::optional<double> firstBaselineOffsetFromTop() const override;

protected:
    explicit AttributedLabel(std::string title);
    void drawOwnLook(gfx::GraphicsContext& context) override;

private:
    bool showsAttributed() const { return m_attributed && m_attributedText == stringValue(); }

    std::optional<text::AttributedString> m_attributed;
    // What the rich text reads as plain text: a later setStringValue with anything else wins.
    std::string m_attributedText;
};

}
