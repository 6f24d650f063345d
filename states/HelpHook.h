#pragma once

#include <functional>
#include <string>

namespace ostrel {

// How the screens open a help page ("concentration_level.html") without knowing the help
// pad: the shell fills the hook at start-up. Until it does, a request is only logged.
namespace HelpHook {

using ShowPage = std::function<void(const std::string& lastPathComponent, bool inBrowser)>;

// An empty function takes the hook away again.
void setShowPage(ShowPage showPage);
void showPage(const std::string& lastPathComponent, bool inBrowser);

}

}
