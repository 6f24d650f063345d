#include "states/CommandPopUpAccess.h"

namespace ostrel::CommandPopUpAccess {

bool isRunning() { return false; }

void dismiss() { }

void runOnCommandButton() { }

}
