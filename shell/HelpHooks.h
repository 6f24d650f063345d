#pragma once

namespace ostrel {

class SmartAppDelegate;

// Fills what the rest of the program leaves to the help system and the preferences window:
// the help pad and its pages in the main window, the help buttons of the screens, the breaks
// and the Dropbox alerts, the
// inactive highlight of every objective field (the screens' and the log entry editor's), and,
// given the application's delegate, giving back what an open preferences window took when
// the program quits. Start-up calls it once, before the main window is made.
void installHelpHooks(SmartAppDelegate* delegate);

}
