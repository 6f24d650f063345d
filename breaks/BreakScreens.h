#pragma once

namespace ostrel {

// Puts the break screens in place of the wiring's stand-ins: start-up calls this before
// the wiring makes its screens.
void registerBreakScreens();

}
