#include "mainwindow/ObjectiveTextView.h"

#include "mainwindow/MainWindowHooks.h"
#include "mainwindow/NowAndLaterBoardManager.h"

#include "platform/gfx/TextLayout.h"
#include "platform/ui/Beep.h"

namespace ostrel {

std::shared_ptr<ObjectiveTextView> ObjectiveTextView::create()
{
    auto view = std::shared_ptr<ObjectiveTextView>(new ObjectiveTextView);
    if (auto& prepare = MainWindowHooks::shared().prepareObjectiveTextView)
        prepare(*view);
    return view;
}

void ObjectiveTextView::revealInFinder(const base::Sender&) { ui::beep(); }

void ObjectiveTextView::draw(gfx::GraphicsContext& context, const ui::Rect& dirty)
{
    NowAndLaterBoardTextView::draw(context, dirty);
    if (!textStorage().empty() || hasComposition())
        return;
    ui::Rect area = bounds().insetBy(5, 5);
    gfx::drawText(kPlaceholder, area, gfx::TextStyle(NowAndLaterBoardManager::sharedManager().defaultFont(), gfx::Color::white(0.667)));
}

}
