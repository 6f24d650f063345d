#pragma once

#include "platform/ui/ScrollView.h"

#include <memory>

namespace ostrel {

// The kit's one scroll view: borderless, clear, a vertical scroller shown only when needed,
// a flipped clip view, and the document pinned to the clip view's left, right and top (its
// height is its own, so it may be taller than the view).
std::shared_ptr<ui::ScrollView> createScrollView(const std::shared_ptr<ui::View>& documentView);

}
