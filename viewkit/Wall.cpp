#include "viewkit/Wall.h"

#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/NiblessViewController.h"

#include "platform/gfx/GraphicsContext.h"

namespace ostrel {

using A = ui::LayoutAttribute;
using R = ui::LayoutRelation;

std::shared_ptr<Wall> Wall::create(ui::Rect frame) { return make<Wall>(frame); }

Wall::Wall(ui::Rect frame)
    : ui::View(frame)
    , m_factory(BricksFactory::create())
{
    setTranslatesAutoresizingMaskIntoConstraints(false);
}

Wall::~Wall() = default;

void Wall::finishCreation()
{
    auto self = shared_from_this();
    m_factory->setContainerView(self);
    m_factory->setElementCreationTarget(self);
}

void Wall::installEffectView(const std::shared_ptr<ui::View>& effectView)
{
    effectView->setTranslatesAutoresizingMaskIntoConstraints(false);
    addSubview(effectView);
    LayoutConstraintMaker maker(*effectView);
    maker.fillContainer();
    addConstraints(maker.constraints());
    m_factory->setElementCreationTarget(effectView);
}

void Wall::setInheritsFlipped(bool inherits)
{
    m_inheritsFlipped = inherits;
    setNeedsLayout();
    setNeedsDisplay();
}

void Wall::setBackgroundColor(std::optional<gfx::Color> color)
{
    m_backgroundColor = color;
    setNeedsDisplayInRect(bounds());
}

void Wall::setBorderColor(gfx::Color color)
{
    m_borderColor = color;
    setNeedsDisplay();
}

void Wall::setDrawingStack(std::optional<DrawingStack> stack)
{
    m_drawingStack = std::move(stack);
    setNeedsDisplay();
}

void Wall::setDrawLeftBorder(bool draw)
{
    m_drawLeftBorder = draw;
    setNeedsDisplay();
}

void Wall::setDrawRightBorder(bool draw)
{
    m_drawRightBorder = draw;
    setNeedsDisplay();
}

void Wall::setDrawTopBorder(bool draw)
{
    m_drawTopBorder = draw;
    setNeedsDisplay();
}

void Wall::setDrawBottomBorder(bool draw)
{
    m_drawBottomBorder = draw;
    setNeedsDisplay();
}

std::shared_ptr<Wall> Wall::createCenteredWallInside()
{
    auto wall = Wall::create();
    m_factory->internalAddBrick(wall, [](LayoutConstraintMaker& maker) {
        maker.container().pin(A::Top, A::Top, 0).pin(A::Bottom, A::Bottom, 0).pin(A::CenterX, A::CenterX, 0);
    });
    return wall;
}

void Wall::fillWallWith(NiblessViewController& viewController)
{
    if (!viewController.view())
        viewController.build();
    auto view = viewController.view();
    if (!view || view.get() == this)
        return;
    view->removeFromSuperview();
    view->setTranslatesAutoresizingMaskIntoConstraints(false);
    addSubview(view);
    LayoutConstraintMaker maker(*view);
    maker.fillContainer();
    addConstraints(maker.constraints());
}

std::pair<std::shared_ptr<Wall>, std::shared_ptr<Wall>> Wall::split(SplittingSize size, double factor, SplitDirection direction)
{
    auto first = Wall::create();
    auto second = Wall::create();
    addSubview(first);
    addSubview(second);
    bool left = direction == SplitDirection::left;
    Wall* sized = left ? first.get() : second.get();
    Wall* other = left ? second.get() : first.get();
    A outer = left ? A::Left : A::Right;
    A inner = left ? A::Right : A::Left;

    std::vector<std::shared_ptr<ui::Constraint>> constraints;
    if (size == SplittingSize::absolute)
        constraints.push_back(ui::Constraint::create(sized, A::Width, R::Equal, factor));
    else
        constraints.push_back(ui::Constraint::create(sized, A::Width, R::Equal, this, A::Width, factor, 0));
    for (A attribute : { outer, A::Top, A::Bottom })
        constraints.push_back(ui::Constraint::create(sized, attribute, R::Equal, this, attribute, 1, 0));
    // The other child runs from the sized one's inner edge to the wall's far edge.
    constraints.push_back(ui::Constraint::create(other, outer, R::Equal, sized, inner, 1, 0));
    for (A attribute : { inner, A::Top, A::Bottom })
        constraints.push_back(ui::Constraint::create(other, attribute, R::Equal, this, attribute, 1, 0));
    addConstraints(constraints);
    return { first, second };
}

void Wall::draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect)
{
    ui::View::draw(context, dirtyRect);
    ui::Rect area = bounds();
    if (m_drawingStack) {
        m_drawingStack->draw(area);
    } else if (backgroundDrawingFunc) {
        backgroundDrawingFunc(area);
    } else if (m_backgroundColor) {
        context.save();
        context.setFillColor(*m_backgroundColor);
        context.fillRect(area);
        context.restore();
    }
    if (m_drawLeftBorder || m_drawRightBorder || m_drawTopBorder || m_drawBottomBorder)
        drawBorders(context);
}

void Wall::drawBorders(gfx::GraphicsContext& context)
{
    ui::Rect b = bounds();
    double x = b.minX(), y = b.minY(), w = b.width(), h = b.height();
    // The side columns leave the corner points to the top and bottom rows.
    double sideY = m_drawBottomBorder ? y + 1 : y;
    double sideHeight = h - (m_drawTopBorder ? 1 : 0) - (m_drawBottomBorder ? 1 : 0);
    context.save();
    context.setColor(m_borderColor);
    if (m_drawRightBorder)
        context.fillRect(ui::Rect(b.maxX() - 1, sideY, 1, sideHeight));
    if (m_drawLeftBorder)
        context.fillRect(ui::Rect(x, sideY, 1, sideHeight));
    if (m_drawTopBorder)
        context.fillRect(ui::Rect(x, b.maxY() - 1, w, 1));
    if (m_drawBottomBorder)
        context.fillRect(ui::Rect(x, y, w, 1));
    context.restore();
}

}
