#include "viewkit/ButtonTextColor.h"

#include "platform/ui/Button.h"
#include "platform/ui/ControlLook.h"

namespace ostrel {

namespace {

// The attributed title while it still is the button's title (a plain title set since
// replaces it).
const text::AttributedString* currentAttributedTitle(const ui::Button& button)
{
    const auto& attributed = button.attributedTitle();
    return attributed && attributed->utf8() == button.title() ? &*attributed : nullptr;
}

}

std::optional<gfx::Color> textColor(const ui::Button& button)
{
    const auto* title = currentAttributedTitle(button);
    if (!title)
        return ui::ControlLook::kText;
    if (title->empty())
        return std::nullopt;
    return title->attributesAt(0).foreground;
}

void setTextColor(ui::Button& button, const gfx::Color& color)
{
    const auto* current = currentAttributedTitle(button);
    text::AttributedString title = current ? *current : text::AttributedString::fromUtf8(button.title());
    if (title.empty()) {
        button.setAttributedTitle(title);
        return;
    }
    title.updateAttributes({ 0, title.length() }, [&](text::Attributes& attributes) { attributes.foreground = color; });
    button.setAttributedTitle(std::move(title));
}

}
