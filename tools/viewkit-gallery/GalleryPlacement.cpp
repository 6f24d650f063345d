#include "GalleryPlacement.h"

#include "viewkit/CustomBackgroundView.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"

#include "platform/ui/Screen.h"

#include <cmath>

using A = ui::LayoutAttribute;

std::shared_ptr<ostrel::FragmentStackView> makeFragmentWindow(std::shared_ptr<ui::Window>& window, const std::string& title,
    ui::Point topLeft, double width, double height)
{
    window = ui::Window::create(ui::Rect(topLeft.x, topLeft.y - height, width, height), ui::WindowStyle::Titled | ui::WindowStyle::Closable);
    window->setTitle(title);
    window->setContentView(ostrel::CustomBackgroundView::create(ui::Rect(0, 0, width, height)));
    ui::View& content = *window->contentView();
    auto stack = ostrel::FragmentStackView::create(ui::Orientation::Vertical);
    stack->setAlignment(A::Width);
    stack->setSpacing(0);
    stack->setTranslatesAutoresizingMaskIntoConstraints(false);
    content.addSubview(stack);
    ostrel::LayoutConstraintMaker maker(*stack);
    maker.container().pin(A::Top, A::Top, 0).pin(A::Left, A::Left, 0).pin(A::Right, A::Right, 0);
    content.addConstraints(maker.constraints());
    return stack;
}

void fixedHeight(ui::View& view, double height)
{
    ostrel::LayoutConstraintMaker maker(view);
    maker.height(height);
    view.addConstraints(maker.constraints());
}

ui::Point onRoot(ui::Point screenPoint)
{
    auto screens = ui::Screen::screens();
    double top = screens.empty() ? 0 : screens.front().frame.maxY();
    return { std::round(screenPoint.x), std::round(top - screenPoint.y) };
}

std::optional<ui::Rect> rootRectOf(const ui::View& view)
{
    if (!view.window() || view.isHiddenOrHasHiddenAncestor())
        return std::nullopt;
    ui::Rect inWindow = view.convertRectTo(view.bounds(), nullptr);
    ui::Point bottomLeft = view.window()->convertPointToScreen(inWindow.origin);
    ui::Point topLeft = onRoot({ bottomLeft.x, bottomLeft.y + inWindow.height() });
    return ui::Rect(topLeft.x, topLeft.y, std::round(inWindow.width()), std::round(inWindow.height()));
}
