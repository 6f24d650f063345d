#pragma once

#include <memory>

namespace gfx {
class Image;
}

namespace ui::TemplateImages {

// The desktop's standard small template images, our own art: black shapes on clear, marked
// as templates so that controls and menus draw them in their text colour. Each call makes a
// new image.

// The tick of a checked menu item, 12 x 12.
std::shared_ptr<gfx::Image> checkMark();
// A plus, 12 x 12.
std::shared_ptr<gfx::Image> add();
// Solid triangles pointing left and right, 9 x 12.
std::shared_ptr<gfx::Image> leftTriangle();
std::shared_ptr<gfx::Image> rightTriangle();
// A round stop sign with a cross, 14 x 14.
std::shared_ptr<gfx::Image> stop();
// A ring with an arrow leaving it to the top right: follow a link elsewhere, 12 x 12.
std::shared_ptr<gfx::Image> followLink();
// A minus, 12 x 12.
std::shared_ptr<gfx::Image> remove();

}
