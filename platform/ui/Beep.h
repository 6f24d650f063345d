#pragma once

namespace ui {

// The desktop's short warning sound, for a key or a click that cannot do what was asked:
// the X bell on a display; without a window system it is only counted.
void beep();
// How many beeps have sounded in this process: what tests observe.
int beepCount();

}
