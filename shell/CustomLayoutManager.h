#pragma once

#include "platform/gfx/Color.h"
#include "platform/ui/Geometry.h"

#include <memory>
#include <vector>

namespace gfx {
class GraphicsContext;
}
namespace ui {
class TextView;
}

namespace ostrel {

// Keeps a text view's selection in sight while the view is not its window's first responder:
// the selection is filled in light grey then. While the view has the first responder's place
// its highlight is the platform's own. Installed on the text view's inactive-highlight hook,
// which holds it; it holds its text view weakly, so neither keeps the other alive.
class CustomLayoutManager : public std::enable_shared_from_this<CustomLayoutManager> {
public:
    static std::shared_ptr<CustomLayoutManager> create(ui::TextView& owningTextView);

    // Puts the manager in charge of the text view's unfocused highlight.
    static void replaceLayoutManager(ui::TextView& textView, const std::shared_ptr<CustomLayoutManager>& manager);
    // Both at once, as the objective fields are prepared.
    static void install(ui::TextView& textView);

    // Fills the rectangles of a highlighted range: in `color` while the owning view is its
    // window's first responder, else in light grey; the context's fill colour is `color` after.
    void fillBackgroundRectArray(gfx::GraphicsContext& context, const std::vector<ui::Rect>& rects, const gfx::Color& color) const;

    std::shared_ptr<ui::TextView> owningTextView() const { return m_owningTextView.lock(); }

private:
    explicit CustomLayoutManager(ui::TextView& owningTextView);

    std::weak_ptr<ui::TextView> m_owningTextView;
};

}
