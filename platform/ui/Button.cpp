#include "platform/ui/Button.h"

#include "platform/base/KeyCodes.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/text/RichTextLayout.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {
constexpr double kImageGap = 4;
constexpr double kBoxSide = 14;

double horizontalPadding(ControlSize size) { return size == ControlSize::Regular ? 14 : size == ControlSize::Small ? 10 : 7; }
double controlHeight(ControlSize size) { return size == ControlSize::Regular ? 24 : size == ControlSize::Small ? 19 : 15; }
}

std::shared_ptr<Button> Button::create(std::string title, ButtonType type)
{
    return std::shared_ptr<Button>(new Button(std::move(title), type));
}

Button::Button(std::string title, ButtonType type)
    : Control({})
    , m_title(std::move(title))
{
    setButtonType(type);
}

void Button::setButtonType(ButtonType type)
{
    m_type = type;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void Button::setBezelStyle(BezelStyle style)
{
    m_bezel = style;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void Button::setTitle(std::string title)
{
    // The status item is given its title at every tick, and between minutes mostly a new one,
    // but screens also set titles they already show.
    if (title == m_title && !m_attributedTitle)
        return;
    m_title = std::move(title);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
    contentDidChange();
}

void Button::setAttributedTitle(std::optional<text::AttributedString> title)
{
    m_attributedTitle = std::move(title);
    if (m_attributedTitle)
        m_title = m_attributedTitle->utf8();
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
    contentDidChange();
}

void Button::setImage(std::shared_ptr<gfx::Image> image)
{
    m_image = std::move(image);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
    contentDidChange();
}

void Button::setImagePosition(ImagePosition position)
{
    m_imagePosition = position;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
    contentDidChange();
}

void Button::setKeyEquivalent(std::string key, std::uint32_t modifierMask)
{
    m_keyEquivalent = std::move(key);
    m_keyModifiers = modifierMask & ModifierFlag::DeviceIndependentMask;
}

void Button::setState(int state)
{
    if (state != ControlStateValue::On && state != ControlStateValue::Off)
        state = m_allowsMixed ? ControlStateValue::Mixed : ControlStateValue::On;
    if (m_state == state)
        return;
    m_state = state;
    setNeedsDisplay();
}

void Button::nextState()
{
    switch (m_type) {
    case ButtonType::MomentaryPushIn:
        return;
    case ButtonType::Radio:
        setState(ControlStateValue::On);
        if (auto* parent = superview())
            for (const auto& sibling : parent->subviews())
                if (auto* radio = dynamic_cast<Button*>(sibling.get()); radio && radio != this && radio->m_type == ButtonType::Radio)
                    radio->setState(ControlStateValue::Off);
        return;
    case ButtonType::Toggle:
    case ButtonType::Switch:
    case ButtonType::OnOff:
        if (m_allowsMixed && m_state == ControlStateValue::On)
            setState(ControlStateValue::Mixed);
        else
            setState(m_state == ControlStateValue::Off ? ControlStateValue::On : ControlStateValue::Off);
        return;
    }
}

void Button::performClick()
{
    if (!isEnabled())
        return;
    setHighlighted(false);
    nextState();
    sendAction();
}

void Button::mouseDown(const Event& event)
{
    if (!isEnabled())
        return;
    m_tracking = true;
    setHighlighted(bounds().contains(convertPointFrom(event.locationInWindow(), nullptr)));
}

void Button::mouseDragged(const Event& event)
{
    if (m_tracking)
        setHighlighted(bounds().contains(convertPointFrom(event.locationInWindow(), nullptr)));
}

void Button::mouseUp(const Event& event)
{
    if (!m_tracking)
        return;
    m_tracking = false;
    setHighlighted(false);
    if (bounds().contains(convertPointFrom(event.locationInWindow(), nullptr)))
        performClick();
}

void Button::keyDown(const Event& event)
{
    auto key = static_cast<base::KeyCode>(event.keyCode());
    bool plain = !(event.modifierFlags() & (ModifierFlag::Command | ModifierFlag::Option | ModifierFlag::Control | ModifierFlag::Shift));
    // Return presses the focused button as Space does; the default button waits its turn.
    if ((key == base::KeyCode::Space || (plain && (key == base::KeyCode::Return || key == base::KeyCode::KeypadEnter))) && isEnabled()) {
        performClick();
        return;
    }
    Control::keyDown(event);
}

bool Button::hitsKeyEquivalent(const Event& event) const
{
    if (event.type() != Event::Type::KeyDown)
        return false;
    // A push button titled "Cancel" cancels on Escape without being told, as dialogs expect.
    if (m_keyEquivalent.empty())
        return m_type == ButtonType::MomentaryPushIn && m_title == "Cancel"
            && event.keyCode() == static_cast<std::uint16_t>(base::KeyCode::Escape)
            && !(event.modifierFlags() & (ModifierFlag::Command | ModifierFlag::Option | ModifierFlag::Control | ModifierFlag::Shift));
    std::uint32_t relevant = ModifierFlag::Command | ModifierFlag::Option | ModifierFlag::Control | ModifierFlag::Shift;
    if ((event.modifierFlags() & relevant) != (m_keyModifiers & relevant))
        return false;
    if (m_keyEquivalent == "\r")
        return event.keyCode() == static_cast<std::uint16_t>(base::KeyCode::Return)
            || event.keyCode() == static_cast<std::uint16_t>(base::KeyCode::KeypadEnter);
    if (m_keyEquivalent == "\x1b")
        return event.keyCode() == static_cast<std::uint16_t>(base::KeyCode::Escape);
    std::string characters = event.characters();
    std::transform(characters.begin(), characters.end(), characters.begin(), [](unsigned char c) { return std::tolower(c); });
    std::string key = m_keyEquivalent;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    return characters == key;
}

bool Button::performKeyEquivalent(const Event& event)
{
    if (!isEnabled() || isHiddenOrHasHiddenAncestor() || !hitsKeyEquivalent(event))
        return Control::performKeyEquivalent(event);
    performClick();
    return true;
}

Size Button::contentSize() const
{
    Size text;
    if (m_attributedTitle) {
        text::RichTextLayout layout(*m_attributedTitle, 0, { font(), ControlLook::kText });
        Rect r = layout.boundingRect();
        text = { std::ceil(r.width()), std::ceil(r.height()) };
    } else if (!m_title.empty()) {
        text = ControlLook::labelSize(m_title, font());
    }
    if (!m_image || m_imagePosition == ImagePosition::NoImage)
        return text;
    Size image = m_image->size();
    if (m_imagePosition == ImagePosition::ImageOnly || text.width == 0)
        return image;
    return { image.width + kImageGap + text.width, std::max(image.height, text.height) };
}

Size Button::intrinsicContentSize() const
{
    Size content = contentSize();
    if (m_type == ButtonType::Switch || m_type == ButtonType::Radio)
        return { kBoxSide + (content.width > 0 ? 6 + content.width : 0), std::max(kBoxSide + 2, content.height) };
    if (m_bezel == BezelStyle::Borderless)
        return { content.width, std::max(content.height, controlHeight(controlSize()) - 6) };
    return { content.width + 2 * horizontalPadding(controlSize()), std::max(controlHeight(controlSize()), content.height + 4) };
}

std::optional<double> Button::firstBaselineOffsetFromTop() const
{
    // The title is centred as a label is.
    return ControlLook::labelBaseline(font(), bounds().height() > 0 ? bounds().height() : intrinsicContentSize().height);
}

gfx::Color Button::textColor() const
{
    if (m_type == ButtonType::OnOff && m_state == ControlStateValue::On)
        return gfx::colors::white;
    return ControlLook::kText;
}

void Button::drawContent(gfx::GraphicsContext& context, const Rect& rect, gfx::Color color)
{
    Size content = contentSize();
    Rect area(rect.midX() - content.width / 2, rect.minY(), content.width, rect.height());
    if (m_type == ButtonType::Switch || m_type == ButtonType::Radio || m_bezel == BezelStyle::Borderless)
        area = Rect(rect.minX(), rect.minY(), std::max(content.width, rect.width()), rect.height());
    if (m_image && m_imagePosition != ImagePosition::NoImage) {
        Size image = m_image->size();
        bool imageOnly = m_imagePosition == ImagePosition::ImageOnly || (m_title.empty() && !m_attributedTitle);
        double x = imageOnly ? rect.midX() - image.width / 2
            : m_imagePosition == ImagePosition::ImageRight ? area.minX() + content.width - image.width
                                                           : area.minX();
        Rect target(x, rect.midY() - image.height / 2, image.width, image.height);
        if (m_image->isTemplate())
            m_tinted.draw(m_image, target, color);
        else
            m_image->draw(target);
        if (imageOnly)
            return;
        double used = image.width + kImageGap;
        area.size.width -= used;
        if (m_imagePosition != ImagePosition::ImageRight)
            area.origin.x += used;
    }
    if (m_attributedTitle) {
        text::RichTextLayout layout(*m_attributedTitle, 0, { font(), color });
        double height = layout.boundingRect().height();
        layout.draw(Rect(area.minX(), area.midY() - height / 2, area.width(), height));
    } else {
        ControlLook::drawLabel(m_title, area, font(), color,
            m_type == ButtonType::Switch || m_type == ButtonType::Radio || m_bezel == BezelStyle::Borderless
                ? gfx::TextAlignment::left
                : gfx::TextAlignment::center);
    }
    (void)context;
}

void Button::drawCheckBox(gfx::GraphicsContext& context)
{
    Rect box(0.5, std::round(bounds().midY() - kBoxSide / 2), kBoxSide, kBoxSide);
    bool on = m_state != ControlStateValue::Off;
    gfx::Color fill = on ? ControlLook::kAccent : (isHighlighted() ? ControlLook::kFaceHighlighted : ControlLook::kFace);
    if (m_type == ButtonType::Radio) {
        context.setFillColor(fill);
        auto oval = gfx::Path::oval(box);
        oval.fill();
        context.setStrokeColor(ControlLook::kStroke);
        oval.stroke();
        if (on) {
            context.setFillColor(gfx::colors::white);
            gfx::Path::oval(box.insetBy(4.5, 4.5)).fill();
        }
    } else {
        ControlLook::drawBezel(context, box, 3, fill);
        if (m_state == ControlStateValue::On)
            ControlLook::drawCheckMark(context, box, gfx::colors::white);
        else if (m_state == ControlStateValue::Mixed) {
            context.setFillColor(gfx::colors::white);
            context.fillRect(Rect(box.minX() + 3, box.midY() - 1, box.width() - 6, 2));
        }
    }
    Rect text(kBoxSide + 6, 0, std::max(0.0, bounds().width() - kBoxSide - 6), bounds().height());
    drawContent(context, text, ControlLook::kText);
}

void Button::drawOwnLook(gfx::GraphicsContext& context)
{
    if (m_type == ButtonType::Switch || m_type == ButtonType::Radio) {
        drawCheckBox(context);
        return;
    }
    bool pressedIn = isHighlighted() || (m_type == ButtonType::Toggle && m_state == ControlStateValue::On);
    if (isBordered()) {
        gfx::Color face = pressedIn ? ControlLook::kFaceHighlighted : ControlLook::kFace;
        if (m_type == ButtonType::OnOff && m_state == ControlStateValue::On)
            face = isHighlighted() ? ControlLook::kAccent.blended(0.25, gfx::colors::black) : ControlLook::kAccent;
        double radius = m_bezel == BezelStyle::Square ? 2 : m_bezel == BezelStyle::Inline ? bounds().height() / 2 : 5;
        ControlLook::drawBezel(context, bounds(), radius, face);
    }
    gfx::Color color = textColor();
    if (!isBordered() && isHighlighted())
        color = ControlLook::kSecondaryText;
    // A borderless toggle that is on (a style indicator over a text) shows it plainly: on a
    // face of its own, in the colour of a chosen thing, or on and off look the same.
    if (!isBordered() && m_type == ButtonType::Toggle && m_state == ControlStateValue::On) {
        ControlLook::drawBezel(context, bounds().insetBy(1, 0), 4, isHighlighted() ? ControlLook::kAccent.blended(0.25, gfx::colors::black) : ControlLook::kAccent);
        color = gfx::colors::white;
    }
    double pad = isBordered() ? horizontalPadding(controlSize()) / 2 : 0;
    drawContent(context, bounds().insetBy(pad, 0), color);
}

}
