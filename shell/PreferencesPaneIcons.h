#pragma once

#include <memory>
#include <string>

namespace gfx {
class Image;
}

namespace ostrel {

// The toolbar image of a preferences pane, 24 by 24, a template the toolbar tints; none for a
// pane it does not know.
std::shared_ptr<gfx::Image> preferencesPaneIcon(const std::string& paneIdentifier);

}
