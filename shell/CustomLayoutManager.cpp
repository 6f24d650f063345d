#include "shell/CustomLayoutManager.h"

#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/TextView.h"
#include "platform/ui/Window.h"

namespace ostrel {

std::shared_ptr<CustomLayoutManager> CustomLayoutManager::create(ui::TextView& owningTextView)
{
    return std::shared_ptr<CustomLayoutManager>(new CustomLayoutManager(owningTextView));
}

CustomLayoutManager::CustomLayoutManager(ui::TextView& owningTextView)
    : m_owningTextView(std::static_pointer_cast<ui::TextView>(owningTextView.shared_from_this()))
{
}

void CustomLayoutManager::replaceLayoutManager(ui::TextView& textView, const std::shared_ptr<CustomLayoutManager>& manager)
{
    if (!manager) {
        textView.drawInactiveSelection = {};
        return;
    }
    textView.drawInactiveSelection = [manager](gfx::GraphicsContext& context, const std::vector<ui::Rect>& rects) {
        // The text view hands over only while it is not focused: its own look then is the
        // platform's unfocused highlight.
        manager->fillBackgroundRectArray(context, rects, ui::ControlLook::kFaceHighlighted);
    };
}

void CustomLayoutManager::install(ui::TextView& textView) { replaceLayoutManager(textView, create(textView)); }

void CustomLayoutManager::fillBackgroundRectArray(gfx::GraphicsContext& context, const std::vector<ui::Rect>& rects,
    const gfx::Color& color) const
{
    auto textView = m_owningTextView.lock();
    auto* window = textView ? textView->window() : nullptr;
    bool firstResponder = window && window->firstResponder() == textView.get();
    context.setFillColor(firstResponder ? color : gfx::colors::lightGray);
    for (const auto& rect : rects)
        context.fillRect(rect);
    context.setFillColor(color);
}

}
