#include "viewkit/PopUpButtonBrick.h"

#include "viewkit/SmartMenuItem.h"

namespace ostrel {

std::shared_ptr<PopUpButtonBrick> PopUpButtonBrick::create()
{
    return std::shared_ptr<PopUpButtonBrick>(new PopUpButtonBrick(false));
}

PopUpButtonBrick::PopUpButtonBrick(bool pullsDown)
    : ui::PopUpButton(pullsDown)
{
    setTranslatesAutoresizingMaskIntoConstraints(false);
    menu()->setDelegate(this);
    setDrawHook([](ui::Control& control, gfx::GraphicsContext& context, const ui::Rect& bounds) {
        auto& brick = static_cast<PopUpButtonBrick&>(control);
        bool highlighted = brick.isHighlighted();
        return BricksDrawingHelper::draw(context, bounds, highlighted ? brick.m_highlightedDrawingStack : brick.m_normalDrawingStack,
            highlighted ? brick.m_highlightedDrawFunc : brick.m_normalDrawFunc, BricksDrawingHelper::buttonAssets(brick));
    });
}

PopUpButtonBrick::~PopUpButtonBrick()
{
    // Someone else may still hold the menu: it must not tell a brick that is gone.
    if (menu()->delegate() == this)
        menu()->setDelegate(nullptr);
}

void PopUpButtonBrick::menuWillOpen(ui::Menu& opening)
{
    prepareForDisplay(opening);
    // A pull-down shows its first item on the button, not in the list. The platform hides it
    // before the menu opens; a press closure that rebuilt the menu made a new one, hidden
    // here until the menu closes.
    if (pullsDown() && &opening == menu().get() && opening.numberOfItems() > 0 && !opening.items().front()->isHidden()) {
        opening.items().front()->setHidden(true);
        m_hiddenFaceItem = opening.items().front();
    }
}

void PopUpButtonBrick::menuDidClose(ui::Menu&)
{
    if (auto face = m_hiddenFaceItem.lock())
        face->setHidden(false);
    m_hiddenFaceItem.reset();
}

void PopUpButtonBrick::prepareForDisplay(ui::Menu& opening)
{
    if (auto press = buttonPressFunction)
        press();
    auto items = opening.items();
    for (const auto& item : items) {
        if (auto* smart = dynamic_cast<SmartMenuItem*>(item.get()); smart && smart->updateBeforeDisplayFunc)
            smart->updateBeforeDisplayFunc(*smart);
        if (auto submenu = item->submenu())
            prepareForDisplay(*submenu);
    }
}

void PopUpButtonBrick::setNormalDrawFunc(std::optional<ButtonDrawingFuncType> function)
{
    m_normalDrawFunc = std::move(function);
    setNeedsDisplay();
}

void PopUpButtonBrick::setHighlightedDrawFunc(std::optional<ButtonDrawingFuncType> function)
{
    m_highlightedDrawFunc = std::move(function);
    setNeedsDisplay();
}

void PopUpButtonBrick::setNormalDrawingStack(std::optional<DrawingStack> stack)
{
    m_normalDrawingStack = std::move(stack);
    setNeedsDisplay();
}

void PopUpButtonBrick::setHighlightedDrawingStack(std::optional<DrawingStack> stack)
{
    m_highlightedDrawingStack = std::move(stack);
    setNeedsDisplay();
}

PopUpButtonBrick& PopUpButtonBrick::small()
{
    setControlSize(ui::ControlSize::Small);
    menu()->setFont(gfx::Font::system(gfx::Font::smallSystemFontSize));
    return *this;
}

void PopUpButtonBrick::apply(const ControlSkin&)
{
    setNormalDrawingStack(std::nullopt);
    setHighlightedDrawingStack(std::nullopt);
}

}
