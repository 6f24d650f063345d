#include "viewkit/FragmentStackView.h"

#include "viewkit/FragmentWall.h"

namespace ostrel {

std::shared_ptr<FragmentStackView> FragmentStackView::create(ui::Orientation orientation)
{
    return std::shared_ptr<FragmentStackView>(new FragmentStackView(orientation));
}

FragmentStackView::FragmentStackView(ui::Orientation orientation)
    : ui::StackView(orientation)
{
}

void FragmentStackView::setBackgroundColor(std::optional<gfx::Color> color)
{
    m_backgroundColor = color;
    setNeedsDisplay();
}

void FragmentStackView::addFragment(const std::shared_ptr<FragmentWall>& fragment)
{
    addArrangedSubview(fragment);
    fragment->install(std::static_pointer_cast<FragmentStackView>(shared_from_this()));
}

void FragmentStackView::hideFragment(const ui::View& fragment)
{
    setVisibilityPriority(&fragment, ui::VisibilityPriority::NotVisible);
}

void FragmentStackView::showFragment(const ui::View& fragment)
{
    setVisibilityPriority(&fragment, ui::VisibilityPriority::DetachOnlyIfNecessary);
}

void FragmentStackView::draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect)
{
    if (backgroundDrawingFunc) {
        backgroundDrawingFunc(frame());
    } else if (m_backgroundColor) {
        context.save();
        context.setFillColor(*m_backgroundColor);
        context.fillRect(frame());
        context.restore();
    }
    ui::StackView::draw(context, frame());
    (void)dirtyRect;
}

}
