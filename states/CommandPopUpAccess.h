#pragma once

namespace ostrel {

// The command pop-up as the screens reach it: through the application delegate's command
// window. Without one (before it is built) it is never running.
namespace CommandPopUpAccess {

bool isRunning();
void dismiss();
// Runs it as a pop-up on the main window's command button, bringing the program to the front.
void runOnCommandButton();

}

}
