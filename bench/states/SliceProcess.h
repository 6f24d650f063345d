#pragma once

namespace bench {

// The screens of a slice as start-up wires them, with a 25-minute slice running and the
// program hidden, as the running screen leaves it. The process reads one-letter orders from
// `orders`: 's' shows the main window, 'h' hides the program, 'q' ends the run. Returns the
// process's exit status.
int runSlice(int orders);

}
