#pragma once

#include <memory>
#include <string>

namespace ui {
class ScrollView;
class TextView;
}

namespace ostrel {

// A text view scrolling in a scroll view that draws no background, with a scroller shown
// only while the text is taller than the view. The text view keeps its own frame: it grows
// with its text in the flipped clip view.
// `colorKey` names the setting of the colour behind the text, when a pad's.
std::shared_ptr<ui::ScrollView> makeTextScrollView(const std::shared_ptr<ui::TextView>& textView, const std::string& colorKey = {});

}
