// The one place where the screen libraries hand their screens to the wiring: a library adds
// its line here (and itself to app/CMakeLists.txt). A screen nobody registers stands in as a
// placeholder with its title and ways out.
#include "app/StartUp.h"

#include "breaks/BreakScreens.h"
#include "states/TimeSliceScreens.h"
#include "states/WelcomeScreens.h"

namespace ostrel {

void registerScreenLibraries()
{
    registerWelcomeScreens();
    registerTimeSliceScreens();
    registerBreakScreens();
}

}
