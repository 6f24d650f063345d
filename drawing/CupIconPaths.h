#pragma once

#include "platform/gfx/Path.h"

#include <array>

// The break cups' outlines at their reference places, 22 x 22 design coordinates.
namespace ostrel::cupIconPaths {

// The plain cup, with its side handle and two wisps of steam.
gfx::Path plainCupBody();
gfx::Path plainCupHandle();
gfx::Path plainLeftWisp();
// The left wisp moved 4.15 to the right.
gfx::Path plainRightWisp();

// The cup on a saucer, with a loop handle and three wisps.
gfx::Path saucerHandleLoop();
gfx::Path saucerCupBody();
gfx::Path saucer();
std::array<gfx::Path, 3> saucerWisps();

}
