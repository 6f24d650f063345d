#pragma once

namespace ostrel {

// Has the wiring make the running, paused and rating screens of a time slice in place of
// their placeholders: start-up calls it before the wiring object is created.
void registerTimeSliceScreens();

}
