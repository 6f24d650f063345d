#include "command/MatchingLineFragment.h"

#include "command/BackgroundDrawingWallWithTintSupport.h"
#include "command/MatchingItem.h"

#include "platform/ui/TextField.h"

namespace ostrel {

std::shared_ptr<MatchingLineFragment> MatchingLineFragment::create() { return make<MatchingLineFragment>(); }

MatchingLineFragment::MatchingLineFragment()
    : FragmentWall({})
{
}

void MatchingLineFragment::configure(const std::shared_ptr<MatchingItem>&) { }
void MatchingLineFragment::customDrawHighlightedBackground(const ui::Rect&) { }
void MatchingLineFragment::customDrawChevronRight(const ui::Rect&, const gfx::Color&) { }
void MatchingLineFragment::build() { }
void MatchingLineFragment::changeColors() { }
void MatchingLineFragment::drawLeftIcon(const ui::Rect&, const gfx::Color&) { }

}
