#pragma once

#include "platform/gfx/Image.h"
#include "platform/text/AttributedString.h"
#include "platform/ui/Control.h"
#include "platform/ui/TintedImage.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace ui {

enum class ButtonType {
    MomentaryPushIn,
    // Stays in or out, each press changing it.
    Toggle,
    // A check box.
    Switch,
    Radio,
    // A push button that shows its on state in the accent colour.
    OnOff,
};

enum class BezelStyle { Rounded, Square, Inline, Borderless };
enum class ImagePosition { NoImage, ImageOnly, ImageLeft, ImageRight };

namespace ControlStateValue {
constexpr int Mixed = -1;
constexpr int Off = 0;
constexpr int On = 1;
}

// Push, toggle, check-box, radio and on/off buttons. A press (a click released inside, the
// space bar while focused, the key equivalent, performClick) moves the state on and runs
// onAction. Radio buttons of one superview turn each other off.
class Button : public Control {
public:
    static std::shared_ptr<Button> create(std::string title = {}, ButtonType type = ButtonType::MomentaryPushIn);

    ButtonType buttonType() const { return m_type; }
    void setButtonType(ButtonType type);
    BezelStyle bezelStyle() const { return m_bezel; }
    void setBezelStyle(BezelStyle style);
    bool isBordered() const { return m_bezel != BezelStyle::Borderless; }

    const std::string& title() const { return m_title; }
    void setTitle(std::string title);
    // Drawn in place of the title when set.
    const std::optional<text::AttributedString>& attributedTitle() const { return m_attributedTitle; }
    void setAttributedTitle(std::optional<text::AttributedString> title);

    // A template image is drawn in the text colour, whatever colours it was drawn in.
    const std::shared_ptr<gfx::Image>& image() const { return m_image; }
    void setImage(std::shared_ptr<gfx::Image> image);
    ImagePosition imagePosition() const { return m_imagePosition; }
    void setImagePosition(ImagePosition position);

    // "\r" for Return, "\x1b" for Escape, else one character with its modifiers (ModifierFlag).
    const std::string& keyEquivalent() const { return m_keyEquivalent; }
    void setKeyEquivalent(std::string key, std::uint32_t modifierMask = 0);
    std::uint32_t keyEquivalentModifierMask() const { return m_keyModifiers; }

    int state() const { return m_state; }
    void setState(int state);
    bool allowsMixedState() const { return m_allowsMixed; }
    void setAllowsMixedState(bool allows) { m_allowsMixed = allows; }

    // As if clicked: highlights, moves the state on, reports. Nothing while disabled.
    void performClick();

    Size intrinsicContentSize() const override;
    std::optional<double> firstBaselineOffsetFromTop() const override;
    void mouseDown(const Event& event) override;
    void mouseDragged(const Event& event) override;
    void mouseUp(const Event& event) override;
    void keyDown(const Event& event) override;
    bool performKeyEquivalent(const Event& event) override;

protected:
    Button(std::string title, ButtonType type);
    void drawOwnLook(gfx::GraphicsContext& context) override;
    // The text colour of the own look.
    gfx::Color textColor() const;
    // Title (attributed or plain) and image in a rect.
    void drawContent(gfx::GraphicsContext& context, const Rect& rect, gfx::Color color);
    Size contentSize() const;
    // After the title or image changed, for buttons whose container sizes itself to them.
    virtual void contentDidChange() { }

private:
    void nextState();
    void drawCheckBox(gfx::GraphicsContext& context);
    bool hitsKeyEquivalent(const Event& event) const;

    ButtonType m_type { ButtonType::MomentaryPushIn };
    BezelStyle m_bezel { BezelStyle::Rounded };
    std::string m_title;
    std::optional<text::AttributedString> m_attributedTitle;
    std::shared_ptr<gfx::Image> m_image;
    TintedImage m_tinted;
    ImagePosition m_imagePosition { ImagePosition::ImageLeft };
    std::string m_keyEquivalent;
    std::uint32_t m_keyModifiers { 0 };
    int m_state { ControlStateValue::Off };
    bool m_allowsMixed { false };
    bool m_tracking { false };
};

}
