#pragma once

#include "core/KeyCombo.h"

#include <vector>

namespace ui {
class Menu;
}

namespace ostrel {

// The shortcuts of a menu's items that name a known key, each followed by those of its
// submenu, depth first; the recorder warns about taking one of them for a hot key.
std::vector<KeyCombo> keyCombos(const ui::Menu& menu);
// Those of the application's main menu; none without an application or its menu.
std::vector<KeyCombo> mainMenuKeyCombos();

}
