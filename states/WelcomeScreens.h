#pragma once

namespace ostrel {

// Puts the profile wizard in place of the wiring's stand-ins for its three screens: start-up
// calls this before the wiring makes its screens.
void registerWelcomeScreens();

}
