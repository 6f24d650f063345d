#pragma once

namespace ostrel {

class MainWindowController;

// The main window's controller as the screens reach it: the main controller's application
// delegate's main window. None before start-up made them.
namespace MainWindowAccess {

MainWindowController* controller();

}

}
