#include "mainwindow/ObjectiveTextView.h"

#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/NowAndLaterBoardManager.h"

#include "platform/gfx/TextLayout.h"
#include "platform/base/KeyCodes.h"
#include "platform/ui/Beep.h"
#include "platform/ui/Event.h"
#include "platform/ui/Window.h"

namespace ostrel {

std::shared_ptr<ObjectiveTextView> ObjectiveTextView::create()
{
    auto view = std::shared_ptr<ObjectiveTextView>(new ObjectiveTextView);
    // One sentence, not a pad's list: Tab moves on to the next control.
    view->setInsertsTabs(false);
    if (auto& prepare = MainWindowHooks::shared().prepareObjectiveTextView)
        prepare(*view);
    return view;
}

void ObjectiveTextView::revealInFinder(const base::Sender&) { ui::beep(); }

void ObjectiveTextView::keyDown(const ui::Event& event)
{
    auto code = event.keyCode();
    bool isReturn = code == static_cast<std::uint16_t>(base::KeyCode::Return) || code == static_cast<std::uint16_t>(base::KeyCode::KeypadEnter);
    bool plain = !(event.modifierFlags() & (ui::ModifierFlag::Shift | ui::ModifierFlag::Option | ui::ModifierFlag::Command | ui::ModifierFlag::Control));
    // While a composition is open Return commits it; it must never start a slice.
    if (isReturn && plain && !hasComposition() && window() && window()->contentView()) {
        auto keep = weak_from_this().lock();
        if (window()->contentView()->performKeyEquivalent(event))
            return;
    }
    NowAndLaterBoardTextView::keyDown(event);
}

void ObjectiveTextView::draw(gfx::GraphicsContext& context, const ui::Rect& dirty)
{
    NowAndLaterBoardTextView::draw(context, dirty);
    if (!textStorage().empty() || hasComposition())
        return;
    ui::Rect area = bounds().insetBy(5, 5);
    gfx::drawText(kPlaceholder, area, gfx::TextStyle(NowAndLaterBoardManager::sharedManager().defaultFont(), gfx::Color::white(0.667)));
}

}
