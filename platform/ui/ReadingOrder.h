#pragma once

#include "platform/ui/Forward.h"

#include <functional>
#include <vector>

namespace ui {

// The views of a tree that `include` picks, in the order a reader meets them: each container's
// parts in rows from the top, each row left to right, and all of one part before the next. A
// screen beside a help pad is read whole, then the pad; a picked view's own subviews (a
// table's rows and their buttons) are not read apart from it.
std::vector<View*> readingOrder(View& root, const std::function<bool(View*)>& include);

}
