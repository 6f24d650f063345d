#pragma once

#include "core/KeyCombo.h"

#include <vector>

namespace ostrel {

// The combinations the desktop keeps for itself, so that the recorder can refuse them.
std::vector<KeyCombo> systemKeyCombos();

}
