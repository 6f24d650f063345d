#pragma once

#include "platform/ui/TextField.h"

#include <memory>
#include <string>

namespace ostrel {

// The standard label of the code-built interface: the platform's label, on one line, neither
// editable nor selectable, no background, no border, placed by constraints.
std::shared_ptr<ui::TextField> standardLabel(std::string title);
// The same settings on a label of one's own kind (left to its own placing).
void makeStandardLabel(ui::TextField& label);

}
